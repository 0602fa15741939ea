#include "platform/Dialogs.h"

#include <cstdio>

namespace tavlo {
namespace {

class ConsoleDialogs final : public Dialogs {
public:
    void showMessage(const QString& text) override { print("", text); }
    bool confirmWarning(const QString& text) override
    {
        print("UYARI: ", text);
        return false;
    }
    void showError(const QString& text) override { print("Hata: ", text); }
    std::optional<QString> chooseFileToOpen(const QString&) override { return std::nullopt; }

private:
    static void print(const char* prefix, const QString& text)
    {
        std::fprintf(stderr, "%s%s\n", prefix, text.toLocal8Bit().constData());
    }
};

ConsoleDialogs fallbackDialogs;
Dialogs* installed = nullptr;

}  // namespace

Dialogs& dialogs()
{
    return installed ? *installed : static_cast<Dialogs&>(fallbackDialogs);
}

void installDialogs(Dialogs* dialogs)
{
    installed = dialogs;
}

}  // namespace tavlo
