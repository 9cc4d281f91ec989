#include "engine/xml/reader/xml_platform.h"

#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>

namespace quaverly {

bool XmlPlatform::EnsureInitialized()
{
    // A function-local static is initialised exactly once, also under concurrent calls.
    static const bool started = [] {
        try {
            xercesc::XMLPlatformUtils::Initialize();
            return true;
        } catch (const xercesc::XMLException&) {
            return false;
        }
    }();
    return started;
}

}  // namespace quaverly
