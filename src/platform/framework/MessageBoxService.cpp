#include "platform/framework/MessageBoxService.h"

#include <glog/logging.h>

#include <utility>

namespace {

MessageBoxHandler& CurrentHandler()
{
    static MessageBoxHandler handler;
    return handler;
}

} // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(CurrentHandler(), std::move(handler));
}

int AfxMessageBox(const char* text, UINT type, UINT /*helpId*/)
{
    const CString message(text);
    LOG(INFO) << "Message box (type 0x" << std::hex << type << std::dec << "): " << message.str();
    if (const auto& handler = CurrentHandler())
        return handler(message, type);
    return IDOK;
}

int AfxMessageBox(UINT promptId, UINT type, UINT helpId)
{
    CString text;
    if (!text.LoadString(promptId))
        LOG(INFO) << "Message box: string " << promptId << " is missing";
    return AfxMessageBox(text.GetString(), type, helpId);
}
