#include "SessionContext.h"

TSessionContext SessionContext;
