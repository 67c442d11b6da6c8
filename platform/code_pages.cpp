#include "platform/code_pages.h"

namespace velmora {

bool RejectsConversionFlags(unsigned codePage) {
    switch (codePage) {
        case 42:     // Symbol
        case 50220:  // ISO-2022 Japanese, and its variants
        case 50221:
        case 50222:
        case 50225:  // ISO-2022 Korean
        case 50227:  // ISO-2022 Simplified Chinese
        case 50229:  // ISO-2022 Traditional Chinese
        case 65000:  // UTF-7
        case 65001:  // UTF-8
            return true;
        default:
            return codePage >= 57002 && codePage <= 57011;  // ISCII
    }
}

unsigned long StrictConversionFlags(unsigned codePage) {
    return RejectsConversionFlags(codePage) ? 0 : kNoBestFitChars;
}

bool ReportsDefaultCharUse(unsigned codePage) { return codePage != 65000 && codePage != 65001; }

}  // namespace velmora
