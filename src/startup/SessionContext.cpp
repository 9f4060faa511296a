#include "startup/SessionContext.h"

namespace pelmar {

SessionContext& session() {
    static SessionContext context;
    return context;
}

} // namespace pelmar
