#pragma once

#include "boards/board.h"

// The whole-court board.
class frmWhole : public Board {
public:
    explicit frmWhole(Program &program);
};
