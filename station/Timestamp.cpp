#include "station/Timestamp.h"

#include "station/ScriptHost.h"

std::string GetTimestamp() {
    const ScriptHost host;
    return host.Eval("new Date().getTime()");
}
