#pragma once

#include "boards/board.h"

// The whole-court board.
class WholeCourtBoard : public Board {
public:
    explicit WholeCourtBoard(Program &program);
};
