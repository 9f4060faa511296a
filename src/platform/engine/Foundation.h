#pragma once
// The foundation pieces the engine and the report routines build on.

#include "platform/Error.h"
#include "platform/Paths.h"
#include "platform/sql/ConnectionSettings.h"
#include "platform/sql/RecordSet.h"
#include "platform/sql/SqlConnection.h"
#include "platform/sql/StatementLayer.h"
#include "platform/user/UserSession.h"
#include "shell/Workspace.h"
#include "startup/SessionContext.h"
