// The full listing of the worked example A = 100, B = 110, noise 30 tenths, written out by
// hand with the marks "." and ",", as the listing tests and the main window tests expect it.
#pragma once

inline constexpr const char* RisingExampleListing =
    "A = 100.0000\n"
    "B = 110.0000\n"
    "------------\n"
    " F3 = 106.1800\n"
    "50% = 105.0000\n"
    " F5 = 103.8200\n"
    "Коридор F3\n"
    "  F3(1) = 105.8800\n"
    "  F3(2) = 106.4800\n"
    "Коридор F5\n"
    "  F5(1) = 103.5200\n"
    "  F5(2) = 104.1200\n"
    "Возможные целевые точки\n"
    "  COP(F3) = 112.3600\n"
    "  COP(F5) = 110.0000\n"
    "   OP(F3) = 116.1800\n"
    "   OP(F5) = 113.8200\n"
    "  XOP(F3) = 122.3600\n"
    "  XOP(F5) = 120.0000\n";
