#include "shell/app/StartUp.h"

#include "mainwindow/TFormSimCard.h"
#include "shell/AppPaths.h"
#include "shell/Log.h"
#include "shell/ReaderPresenceCheck.h"
#include "shell/app/QtPacer.h"
#include "shell/app/QtPrompter.h"
#include "shell/app/SingleInstance.h"
#include "sim/ReaderBinding.h"
#include "sim/ReaderServiceLibrary.h"

#include <QApplication>

namespace {

ReaderServiceLibrary& readerLibrary()
{
    static ReaderServiceLibrary library;  // stays loaded for the whole run
    return library;
}

}  // namespace

bool StartUp::loadReaderService()
{
    std::string error;
    if (!readerLibrary().load(AppPaths::applicationDir() + "libQVSIMSC.so", error)) {
        Prompter::current().message(Prompter::Kind::Plain, "Warning", "Can not load QVSIMSC.DLL . ErrorCode=" + error);
        return false;
    }
    ReaderBinding::setService(&readerLibrary());
    return true;
}

int StartUp::run(QApplication& app)
{
    static QtPrompter prompter;
    static QtPacer pacer;
    Prompter::setCurrent(&prompter);
    Pacer::setCurrent(&pacer);

    Log::reset();
    AppPaths::init();
    if (!loadReaderService()) return 1;

    Log::start("Debug/Quillon.Log", false, AppPaths::dataDir(), AppPaths::dataDir());
    Log::line("FormCreate::Application path=" + AppPaths::applicationDir());
    Log::line("FormCreate::Windows Temp path=" + AppPaths::tempDir());
    if (!ReaderPresenceCheck::run()) return 0;

    Log::line("Into CheckPrevInst");
    SingleInstance instance;
    if (!instance.acquire(1000)) {
        instance.notifyFirst();
        Log::line("CheckPrevInst::Halt");
        return 0;
    }
    Log::line("CheckPrevInst::End");

    TFormSimCard form;
    prompter.setParent(&form);
    QObject::connect(&instance, &SingleInstance::activationRequested, &form, &TFormSimCard::bringToFront);
    Log::line("CreateForm");
    form.show();
    int rc = app.exec();
    prompter.setParent(nullptr);
    return rc;
}
