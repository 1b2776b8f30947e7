#pragma once
// The archive side of a session stream: something that opens a named stream for reading, such as
// a project archive. Results as for opening a plain file (0, kStreamNotFound,
// kStreamAccessDenied, kStreamOpenFailed).
#include "datamodel/IDataStream.h"
#include "platform/framework/CString.h"

#include <memory>

class IStreamStorage
{
public:
    virtual ~IStreamStorage() = default;
    // Opens the stream read-only with exclusive sharing.
    virtual int OpenStream(const CString& name, std::unique_ptr<IDataStream>& stream) = 0;
};
