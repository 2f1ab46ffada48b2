#include "boards/frmhalf.h"

#include "app/program.h"

FrmHalf::FrmHalf(Program &program)
    : Board(program, program.FrmHalf, program.FrmHalf.vars, layouts::halfCourt)
{
}
