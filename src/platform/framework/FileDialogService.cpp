#include "platform/framework/FileDialogService.h"

#include <glog/logging.h>

#include <utility>

namespace {

FileDialogHandler& CurrentHandler()
{
    static FileDialogHandler handler;
    return handler;
}

} // namespace

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler)
{
    return std::exchange(CurrentHandler(), std::move(handler));
}

bool RunFileDialog(const SFileDialogRequest& request, CString& path)
{
    LOG(INFO) << (request.open ? "Open" : "Save") << " file dialog: " << request.initialName.str();
    if (const auto& handler = CurrentHandler())
        return handler(request, path);
    return false;
}
