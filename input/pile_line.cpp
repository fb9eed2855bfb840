#include "input/pile_line.h"

#include <string>

#include "input/free_format.h"
#include "input/text.h"

namespace tovek {

ValueList parseValueList(std::string_view line) {
    ValueList list;
    bool valueSinceComma = false;
    size_t k = 0;
    while (k < line.size() && list.count < kMaxPileLineValues) {
        if (isBlank(line[k])) {
            ++k;
            continue;
        }
        if (line[k] == ',') {
            if (!valueSinceComma) {
                list.stoppedAtEmptyValue = true;
                break;
            }
            valueSinceComma = false;
            ++k;
            continue;
        }
        size_t end = k;
        while (end < line.size() && !isBlank(line[end]) && line[end] != ',') ++end;
        const std::string_view item = line.substr(k, end - k);
        k = end;
        valueSinceComma = true;

        int32_t repeat = 1;
        std::string_view number = item;
        if (const size_t star = item.find('*'); star != std::string_view::npos) {
            if (!FreeFormatReader::parseInteger(item.substr(0, star), repeat) || repeat < 1) {
                list.stoppedAtItem = std::string(item);
                break;
            }
            number = item.substr(star + 1);
        }
        double value = 0;
        if (!FreeFormatReader::parseReal(number, value)) {
            list.stoppedAtItem = std::string(item);
            break;
        }
        for (int32_t r = 0; r < repeat && list.count < kMaxPileLineValues; ++r) list.values[++list.count] = value;
    }
    return list;
}

double valueOrDefault(const ValueList& list, int32_t count, int32_t position, double defaultValue) {
    if (position < 1 || position > kMaxPileLineValues || count < position) return defaultValue;
    return list.values[position];
}

}  // namespace tovek
