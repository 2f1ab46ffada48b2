#include "resources/layouts.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace layouts {

const ControlSpec &find(std::span<const ControlSpec> layout, const char *name)
{
    for (const ControlSpec &spec : layout) {
        if (std::strcmp(spec.name, name) == 0)
            return spec;
    }
    throw std::logic_error(std::string("no control named ") + name);
}

} // namespace layouts
