#include "boards/wholecourtboard.h"

#include "shell/program.h"

WholeCourtBoard::WholeCourtBoard(Program &program)
    : Board(
        program, program.wholeCourtBoard, program.wholeCourtBoard.variables, layouts::wholeCourt, *program.boardArea())
{
}
