#include "Reply.h"

Reply Reply::ok(std::string message)
{
    Reply reply;
    reply.returnMsg = std::move(message);
    return reply;
}

Reply Reply::refused(std::string message)
{
    Reply reply;
    reply.returnCode = "1";
    reply.returnMsg = std::move(message);
    return reply;
}

Reply Reply::malformed(std::string message)
{
    Reply reply;
    reply.returnCode = "2";
    reply.returnMsg = std::move(message);
    return reply;
}
