// A small country file in the cty.dat format: exact calls, an override
// mark, a prefix file entry with its own zones, and Sicily inside Italy.
#pragma once

namespace testing_support {

inline constexpr const char *kSampleCountryFile =
    "Romania:                  20:  28:  EU:   45.78:   -24.70:    -2.0:  YO:\n"
    "    YO,YP,YQ,YR,=YO9HQ(15);\n"
    "Fed. Rep. of Germany:     14:  28:  EU:   51.00:   -10.00:    -1.0:  DL:\n"
    "    DA,DB,DC,DD,DE,DF,DG,DH,DI,DJ,DK,DL,DM,DN,DO,DP,DQ,DR,=YO9ZZZ;\n"
    "Sicily:                   15:  28:  EU:   37.50:   -14.00:    -1.0:  *IT9:\n"
    "    IB9,ID9,IE9,IF9,II9,IJ9,IO9,IQ9,IR9,IT9,IU9,IW9,IY9;\n"
    "Italy:                    15:  28:  EU:   42.82:   -12.58:    -1.0:  I:\n"
    "    I,IK[28]<42.0/-12.0>{EU}~-1.0~,IZ;\n";

}  // namespace testing_support
