#include "tests/platform/profile_cases.h"

namespace profile_cases {
namespace {

ProfileCase read(std::string name, std::optional<std::string> before,
                 std::string section, std::string key, std::string defaultValue,
                 std::string expected, std::size_t bufferSize = 100) {
    ProfileCase c;
    c.name = std::move(name);
    c.before = before;
    c.call = Call::Read;
    c.section = std::move(section);
    c.key = std::move(key);
    c.value = std::move(defaultValue);
    c.bufferSize = bufferSize;
    c.expectedValue = std::move(expected);
    c.after = std::move(before);  // reading never touches the file
    return c;
}

ProfileCase write(std::string name, std::optional<std::string> before,
                  std::string section, std::string key, std::string value,
                  std::optional<std::string> after) {
    ProfileCase c;
    c.name = std::move(name);
    c.before = std::move(before);
    c.call = Call::Write;
    c.section = std::move(section);
    c.key = std::move(key);
    c.value = std::move(value);
    c.after = std::move(after);
    return c;
}

ProfileCase inMissingFolder(ProfileCase c) {
    c.fileName = "NoSuchFolder\\case.ini";
    return c;
}

std::string repeat(char c, std::size_t n) { return std::string(n, c); }

std::vector<ProfileCase> makeCases() {
    const std::string settings = "[Settings]\r\nKey=value\r\n";
    std::vector<ProfileCase> cases = {
        // Finding the key.
        read("ReadsAKey", settings, "Settings", "Key", "d", "value"),
        read("SectionAndKeyIgnoreCase", "[settings]\r\nkey=value\r\n", "SETTINGS", "KEY",
             "d", "value"),
        read("BlanksAroundKeyAndValueAreDropped", "[Settings]\r\n  Key  =  value  \r\n",
             "Settings", "Key", "d", "value"),
        read("TabsAroundKeyAndValueAreDropped", "[Settings]\r\n\tKey\t=\tvalue\t\r\n",
             "Settings", "Key", "d", "value"),
        read("BlanksInsideTheBracketsAreDropped", "  [ Settings ]\r\nKey=value\r\n",
             "Settings", "Key", "d", "value"),
        read("BlanksAroundTheArgumentsAreDropped", settings, " Settings ", " Key ", "d",
             "value"),
        read("KeysWithInnerBlanks", "[S]\r\nMy Key = v\r\n", "S", "My Key", "d", "v"),
        read("EqualsSignsAfterTheFirstBelongToTheValue", "[S]\r\nK=a=b\r\n", "S", "K", "d",
             "a=b"),
        read("EmptyValueIsNotTheDefault", "[S]\r\nK=\r\n", "S", "K", "d", ""),
        read("LineWithoutEqualsGivesTheDefault", "[S]\r\nK\r\n", "S", "K", "d", "d"),
        read("CommentLinesAreKeysLikeAnyOther", "[S]\r\n;K=c\r\nK=v\r\n", "S", ";K", "d",
             "c"),
        read("KeysBeforeTheFirstSectionHaveNoSectionName", "K=top\r\n[S]\r\nK=v\r\n", "",
             "K", "d", "top"),
        read("HeaderTextAfterTheBracketIsIgnored", "[S] junk\r\nK=v\r\n", "S", "K", "d",
             "v"),
        read("HeaderRunsToTheLastBracket", "[a]b]\r\nK=v\r\n", "a]b", "K", "d", "v"),
        read("UnclosedBracketIsNoHeader", "[S\r\nK=v\r\n", "S", "K", "d", "d"),
        read("LfLineEnds", "[S]\nK=v\n", "S", "K", "d", "v"),
        read("CrLineEnds", "[S]\rK=v\r", "S", "K", "d", "v"),
        read("LastLineWithoutLineEnd", "[S]\r\nK=v", "S", "K", "d", "v"),
        read("Utf8ByteOrderMarkIsSkipped", "\xEF\xBB\xBF[S]\r\nK=v\r\n", "S", "K", "d", "v"),
        read("EightBitTextArrivesUnchanged", "[S]\r\nK=\xE9t\xE9\r\n", "S", "K", "d",
             "\xE9t\xE9"),

        // Duplicates: the first section and the first key win.
        read("FirstOfDuplicateKeysWins", "[S]\r\nK=1\r\nK=2\r\n", "S", "K", "d", "1"),
        read("FirstOfDuplicateSectionsWins", "[S]\r\nK=1\r\n[T]\r\n[S]\r\nK=2\r\nJ=3\r\n",
             "S", "K", "d", "1"),
        read("LaterDuplicateSectionIsNeverRead",
             "[S]\r\nK=1\r\n[T]\r\n[S]\r\nK=2\r\nJ=3\r\n", "S", "J", "d", "d"),

        // One pair of surrounding quotes goes.
        read("DoubleQuotesAreRemoved", "[S]\r\nK=\"x\"\r\n", "S", "K", "d", "x"),
        read("SingleQuotesAreRemoved", "[S]\r\nK='x'\r\n", "S", "K", "d", "x"),
        read("QuotedBlanksStay", "[S]\r\nK=\" a \"\r\n", "S", "K", "d", " a "),
        read("EmptyQuotesGiveEmpty", "[S]\r\nK=\"\"\r\n", "S", "K", "d", ""),
        read("ALoneDoubleQuoteStays", "[S]\r\nK=\"\r\n", "S", "K", "d", "\""),
        read("ALoneSingleQuoteStays", "[S]\r\nK='\r\n", "S", "K", "d", "'"),
        read("MismatchedQuotesStay", "[S]\r\nK=\"x'\r\n", "S", "K", "d", "\"x'"),
        read("UnclosedQuoteStays", "[S]\r\nK=\"abc\r\n", "S", "K", "d", "\"abc"),
        read("OnlyTheOuterPairGoes", "[S]\r\nK=\"a\"b\"\r\n", "S", "K", "d", "a\"b"),

        // Values are cut to the buffer: 99 characters arrive in 100 bytes.
        read("LongValueIsCutToTheBufferLessOne", "[S]\r\nK=" + repeat('v', 150) + "\r\n",
             "S", "K", "d", repeat('v', 99)),
        read("ValueThatJustFitsArrivesWhole", "[S]\r\nK=" + repeat('w', 99) + "\r\n", "S",
             "K", "d", repeat('w', 99)),
        read("OneByteBufferGetsNothing", "[S]\r\nK=abc\r\n", "S", "K", "d", "", 1),
        read("QuotedValueOfNinetySevenArrivesWhole",
             "[S]\r\nK=\"" + repeat('z', 97) + "\"\r\n", "S", "K", "d", repeat('z', 97)),
        read("QuotedValueOfNinetyEightArrivesWhole",
             "[S]\r\nK=\"" + repeat('q', 98) + "\"\r\n", "S", "K", "d", repeat('q', 98)),
        // The closing quote is dropped by position after the cut.
        read("QuotedValueFillingTheBufferLosesItsLastCharacter",
             "[S]\r\nK=\"" + repeat('w', 99) + "\"\r\n", "S", "K", "d", repeat('w', 98)),
        read("QuotedValueInAFourByteBuffer", "[S]\r\nK=\"abc\"\r\n", "S", "K", "d", "ab", 4),
        read("QuotedValueInAFiveByteBuffer", "[S]\r\nK=\"abc\"\r\n", "S", "K", "d", "abc", 5),

        // Defaults.
        read("MissingKeyGivesTheDefault", "[S]\r\nA=1\r\n", "S", "K", "def", "def"),
        read("MissingSectionGivesTheDefault", "[S]\r\nK=1\r\n", "T", "K", "def", "def"),
        read("MissingFileGivesTheDefault", std::nullopt, "S", "K", "def", "def"),
        inMissingFolder(
            read("MissingFolderGivesTheDefault", std::nullopt, "S", "K", "def", "def")),
        read("TrailingSpacesOfTheDefaultGo", "[S]\r\n", "S", "K", "  def  ", "  def"),
        read("OnlySpacesLeaveTheDefaultsEnd", "[S]\r\n", "S", "K", "def \t ", "def \t"),
        read("DefaultLosesItsQuotes", "[S]\r\n", "S", "K", "'def'", "def"),
        read("LongDefaultIsCut", std::nullopt, "S", "K", repeat('v', 150), repeat('v', 99)),

        // Writing a value.
        write("WritesIntoAnExistingKey", settings, "Settings", "Key", "new",
              "[Settings]\r\nKey=new\r\n"),
        write("ExistingNamesKeepTheirSpelling", "[settings]\r\nkey=old\r\n", "SETTINGS",
              "KEY", "new", "[settings]\r\nkey=new\r\n"),
        write("NewKeyGoesToTheEndOfItsSection", "[Settings]\r\nA=1\r\n[Z]\r\nB=2\r\n",
              "Settings", "Key", "new", "[Settings]\r\nA=1\r\nKey=new\r\n[Z]\r\nB=2\r\n"),
        write("NewSectionGoesToTheEnd", "[Other]\r\nA=1\r\n", "Settings", "Key", "new",
              "[Other]\r\nA=1\r\n[Settings]\r\nKey=new\r\n"),
        write("NewFileIsCreated", std::nullopt, "Settings", "Key", "new",
              "[Settings]\r\nKey=new\r\n"),
        write("OtherSectionsAndKeysAreKept",
              "[A]\r\nx=1\r\n[Settings]\r\nb=2\r\nKey=old\r\nc=3\r\n[Z]\r\ny=9\r\n",
              "Settings", "Key", "new",
              "[A]\r\nx=1\r\n[Settings]\r\nb=2\r\nKey=new\r\nc=3\r\n[Z]\r\ny=9\r\n"),
        write("KeyWithoutEqualsGetsTheValue", "[S]\r\nK\r\n", "S", "K", "x", "[S]\r\nK=x\r\n"),
        write("WritesIntoTheFirstOfDuplicateSections",
              "[S]\r\nK=1\r\n[T]\r\n[S]\r\nK=2\r\n", "S", "K", "v",
              "[S]\r\nK=v\r\n[T]\r\n[S]\r\nK=2\r\n"),
        write("WritesIntoTheFirstOfDuplicateKeys", "[S]\r\nK=1\r\nK=2\r\n", "S", "K", "v",
              "[S]\r\nK=v\r\nK=2\r\n"),
        write("KeysBeforeTheFirstSectionStayOnTop", "top=1\r\n[S]\r\n", "", "top", "2",
              "top=2\r\n[S]\r\n"),
        write("BlanksAroundTheArgumentsFindTheKey", "[S]\r\nK=1\r\n", " S ", " K ", "v",
              "[S]\r\nK=v\r\n"),
        write("LeadingBlanksOfTheValueGoTrailingOnesStay", "[S]\r\n", "S", "K", " \t v  ",
              "[S]\r\nK=v  \r\n"),
        write("QuotesAreWrittenAsGiven", "[S]\r\n", "S", "K", "\"q\"", "[S]\r\nK=\"q\"\r\n"),
        write("EmptyValue", "[S]\r\n", "S", "K", "", "[S]\r\nK=\r\n"),
        write("NewNamesLoseLeadingBlanksOnly", "[T]\r\n", " S ", " K ", "x",
              "[T]\r\n[S ]\r\nK =x\r\n"),

        // The whole file is rewritten in one shape.
        write("RewriteDropsBlanksAroundEquals", "[S]\r\n a = 1 \r\nK = old \r\n", "S", "K",
              "new", "[S]\r\na=1\r\nK=new\r\n"),
        write("RewriteDropsTabsAroundEquals", "[S]\r\n\tA\t=\t1\t\r\n", "S", "K", "v",
              "[S]\r\nA=1\r\nK=v\r\n"),
        write("RewriteDropsBlankLines", "\r\n[S]\r\n\r\n\r\nA=1\r\n\r\n[T]\r\nB=2\r\n\r\n",
              "S", "K", "v", "[S]\r\nA=1\r\nK=v\r\n[T]\r\nB=2\r\n"),
        write("RewriteKeepsCommentLines", "; head\r\n[S]\r\n; note\r\nA=1\r\n", "S", "K", "v",
              "; head\r\n[S]\r\n; note\r\nA=1\r\nK=v\r\n"),
        write("RewriteKeepsLinesWithoutEquals", "[S]\r\njunk line\r\nA=1\r\n", "S", "K", "v",
              "[S]\r\njunk line\r\nA=1\r\nK=v\r\n"),
        write("RewriteKeepsAnUnclosedBracketLine", "[T]\r\n[S\r\nK=v\r\n", "T", "K", "x",
              "[T]\r\n[S\r\nK=x\r\n"),
        write("RewriteUsesCrLf", "[S]\nA=1\rB=2", "S", "K", "v",
              "[S]\r\nA=1\r\nB=2\r\nK=v\r\n"),
        write("RewriteTidiesHeaders", "[ S ] junk\r\nA=1\r\n", "S", "K", "v",
              "[S]\r\nA=1\r\nK=v\r\n"),
        write("RewriteKeepsTheByteOrderMark", "\xEF\xBB\xBF[S]\r\nA=1\r\n", "S", "K", "x",
              "\xEF\xBB\xBF[S]\r\nA=1\r\nK=x\r\n"),
        // Writing the value a key already holds changes nothing at all.
        write("SameValueLeavesTheFileUntouched", "[S]\r\n a = 1 \r\n\r\nK = old \r\n", "S",
              "K", " old", "[S]\r\n a = 1 \r\n\r\nK = old \r\n"),
        write("ValuesCompareWithCase", "[S]\r\nK = v\r\n", "S", "K", "V", "[S]\r\nK=V\r\n"),
    };

    ProfileCase failed = inMissingFolder(
        write("WriteIntoAMissingFolderFails", std::nullopt, "S", "K", "v", std::nullopt));
    failed.expectedSuccess = false;
    cases.push_back(failed);
    return cases;
}

}  // namespace

const std::vector<ProfileCase> &allCases() {
    static const std::vector<ProfileCase> cases = makeCases();
    return cases;
}

}  // namespace profile_cases
