#pragma once

#include <string>

// A parameterised case's name made of a text that describes it: letters and
// digits kept, every run of anything else one '_', the index in front so
// that cases that read alike stay apart.
inline std::string CaseName(size_t index, const std::string& text) {
    std::string name = std::to_string(index) + "_";
    for (const char c : text) {
        const bool keep =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (keep) {
            name += c;
        } else if (name.back() != '_') {
            name += '_';
        }
    }
    return name;
}
