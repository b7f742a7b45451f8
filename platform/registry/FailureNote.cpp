#include "platform/registry/FailureNote.h"

#include <utility>

namespace varrow::registry
{

namespace
{

struct LastFailure {
    Status status = kSuccess;
    std::string detail;
};

thread_local LastFailure t_lastFailure;

} // namespace

Status noteFailure(Status status, std::string detail)
{
    t_lastFailure = {status, std::move(detail)};
    return status;
}

std::string failureDetail(Status status)
{
    return t_lastFailure.status == status ? t_lastFailure.detail : std::string();
}

} // namespace varrow::registry
