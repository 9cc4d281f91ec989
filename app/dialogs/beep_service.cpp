#include "app/dialogs/beep_service.h"

#include <QApplication>

namespace brindle {
namespace {

class DesktopBeep : public BeepService {
public:
    void Beep(unsigned) override { QApplication::beep(); }
};

BeepService* installed = nullptr;

}  // namespace

BeepService& BeepService::Current()
{
    static DesktopBeep desktop;
    return installed ? *installed : desktop;
}

BeepService* BeepService::Install(BeepService* service)
{
    BeepService* previous = installed;
    installed = service;
    return previous;
}

}  // namespace brindle
