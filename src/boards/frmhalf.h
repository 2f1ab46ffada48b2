#pragma once

#include "boards/board.h"

// The half-court board.
class FrmHalf : public Board {
public:
    explicit FrmHalf(Program &program);
};
