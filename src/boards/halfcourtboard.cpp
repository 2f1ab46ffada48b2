#include "boards/halfcourtboard.h"

#include "shell/program.h"

HalfCourtBoard::HalfCourtBoard(Program &program)
    : Board(program, program.halfCourtBoard, program.halfCourtBoard.variables, layouts::halfCourt, *program.boardArea())
{
}
