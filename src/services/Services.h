#pragma once

class Catalogue;
class DiningRoom;
class OrderManager;
class Outbox;
class Staff;

// The services the screens and the console work through, built once, in order, by the start-up
// sequence (the terminal's and the console's) and handed to the controllers. A test installs its
// own. The pointers are never null and live until the process ends.
struct Services {
    Catalogue *catalogue = nullptr;
    DiningRoom *dining = nullptr;
    Staff *staff = nullptr;
    OrderManager *order = nullptr;
    // Orders queued while the server could not be reached; resumed once the kept order is adopted.
    Outbox *outbox = nullptr;

    // The set installed last; this process's own when none was installed (a test that builds a
    // controller without a fixture of its own).
    static const Services &installed();
    static void install(const Services &services);
    // Builds this process's services, in the order they depend on each other, and installs them.
    static const Services &startForThisProcess();
};
