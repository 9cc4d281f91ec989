// The sound a control makes when it refuses what the user typed. Controls ask the service
// in force, so tests put in one that records the beeps instead of sounding them.
#pragma once

namespace brindle {

class BeepService {
public:
    virtual ~BeepService() = default;

    // Sounds the beep of a message-box type (platform::kMbOk, kMbIconExclamation ...).
    virtual void Beep(unsigned type) = 0;

    // The service in force: the one installed last, else the desktop's own beep.
    static BeepService& Current();
    // Puts a service in force (not owned) and returns the one it replaces (null for the
    // built-in one); null puts the built-in one back.
    static BeepService* Install(BeepService* service);
};

// Puts a service in force for the lifetime of the object, then the previous one back.
class ScopedBeepService {
public:
    explicit ScopedBeepService(BeepService& service) : previous_(BeepService::Install(&service)) {}
    ~ScopedBeepService() { BeepService::Install(previous_); }
    ScopedBeepService(const ScopedBeepService&) = delete;
    ScopedBeepService& operator=(const ScopedBeepService&) = delete;

private:
    BeepService* previous_;
};

}  // namespace brindle
