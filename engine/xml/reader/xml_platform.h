// The XML library's process-wide set-up.
//
// The library is initialised once, the first time a document is read, and stays
// initialised until the process ends: loads may run on more than one thread, so
// tearing it down after each document would pull it away from under another.
#pragma once

namespace quaverly {

class XmlPlatform {
public:
    // Initialises the XML library on the first call; later calls do nothing. Safe to call
    // from several threads at once. Returns false when the library could not start.
    static bool EnsureInitialized();
};

}  // namespace quaverly
