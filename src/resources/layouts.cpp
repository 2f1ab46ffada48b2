#include "resources/layouts.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace layouts {

const ControlSpec &find(std::span<const ControlSpec> layout, const char *name)
{
    for (const ControlSpec &row : layout) {
        if (std::strcmp(row.name, name) == 0)
            return row;
    }
    throw std::logic_error(std::string("no control named ") + name);
}

} // namespace layouts
