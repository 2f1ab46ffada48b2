#include "boards/frmwhole.h"

#include "app/program.h"

frmWhole::frmWhole(Program &program)
    : Board(program, program.frmWhole, program.frmWhole.vars, layouts::wholeCourt)
{
}
