#pragma once
// Automation: the object protocol between programs and engine plug-ins. A program creates an
// engine's Languages object by ProgID (client.h: registry lookup, dlopen, class factory) and
// calls it late-bound by member name; a plug-in answers through IDispatch over descriptions of
// its interfaces (type_info.h) and leaves error information for failed calls (error_info.h).

#include "platform/automation/client.h"
#include "platform/automation/error_info.h"
#include "platform/automation/guid.h"
#include "platform/automation/hresult.h"
#include "platform/automation/interfaces.h"
#include "platform/automation/type_info.h"
#include "platform/automation/variant.h"
