#pragma once

#include "boards/board.h"

// The half-court board.
class HalfCourtBoard : public Board {
public:
    explicit HalfCourtBoard(Program &program);
};
