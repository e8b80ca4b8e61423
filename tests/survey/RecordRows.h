// One row of a record table: the boxes as the user typed them and the lines
// the record must hold, its separators included.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "survey/arith.h"

inline const std::string kSep(82, '-');

struct RecordRow {
    std::vector<std::string> typed;
    std::vector<std::string> lines;
    // Box i read the way the screens read a box: its leading number.
    double value(std::size_t i) const { return survey::leadingNumber(typed.at(i)); }
};
