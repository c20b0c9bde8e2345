#pragma once

#include <string>

// The HTTP library does not hand out its sockets, so these find them among the process's open
// files by their addresses.

// Closes the connection of a request under way without any answer, as a crashed server or a
// broken network would. False when no such connection was found.
bool dropConnection(int localPort, const std::string &remoteAddress, int remotePort);

// Raises the listen backlog of the socket listening on that port (the library asks for 5, too few
// for many terminals connecting at once). False when no such socket was found.
bool widenListenBacklog(int localPort);
