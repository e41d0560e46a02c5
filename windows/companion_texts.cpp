#include "windows/companion_texts.h"

namespace companion {

std::string setupCaption(bool russian, const std::string &contestYear) {
    return (russian ? "Установки Morvantia-" : "Setup Morvantia-") + contestYear;
}

const SetupLabels &setupLabels(bool russian) {
    static const SetupLabels english{"View", "Mode", "County Romania", "Window on top",
                                     "Previous QSO"};
    static const SetupLabels russianLabels{"Отображать", "Вид работы", "Графства Румынии",
                                           "Поверх окон", "Предыдущие QSO"};
    return russian ? russianLabels : english;
}

const char *countryKnownLabel(bool russian) {
    return russian ? " Код вашей страны" : " Your code Country";
}

const char *countryAskLabel(bool russian) {
    return russian ? "Введите код вашей страны" : " Input your code Country";
}

std::string previousQsoCaption(PreviousQsoCaption kind, bool russian,
                               const std::string &contestYear, const std::string &call) {
    const std::string head = "Morvantia-" + contestYear;
    switch (kind) {
    case PreviousQsoCaption::Opened:
        return head + (russian ? " Предыдущие QSO" : " Previous, QSO");
    case PreviousQsoCaption::Reopened:
        return head + (russian ? " Предыдущие QSO" : " Previous QSO");
    case PreviousQsoCaption::WorkedWith:
        return russian ? head + " Работал с " + call : head + " worked with " + call + " ";
    }
    return head;
}

std::string countyCaption(bool russian, const std::string &modeText,
                          const std::string &bandText, std::size_t worked) {
    const std::string n = std::to_string(worked);
    if (russian)
        return "YO Графства - отработано " + modeText + " на " + bandText + " " + n + " из 48";
    return "YO County - worked " + modeText + " on " + bandText + " " + n + " of 48";
}

}  // namespace companion
