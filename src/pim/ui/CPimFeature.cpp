#include "CPimFeature.h"

#include "CPIMChildFrame.h"
#include "CPIMDoc.h"
#include "CPIMTabWnd.h"
#include "CPimDocManager.h"
#include "CPimSync.h"
#include "CVelmoraWrap.h"
#include "FrameCommands.h"
#include "IFrameRegistry.h"
#include "IFrameServices.h"
#include "PimDocMessageIds.h"

#include <QFileInfo>
#include <QWidget>
#include <memory>

namespace {

QString Plain(int textId)
{
    QString text = CVelmoraWrap::LoadString(textId);
    text.remove(QLatin1Char('&'));
    return text;
}

bool RunItem(CPimFeature::Item item, IFrameServices& services, CPimDocManager& documents)
{
    CPIMChildFrame* frame = documents.Frame();
    switch (item) {
    case CPimFeature::NewContact:
        return frame && frame->TabWnd()->NewEntry(CPIMTabWnd::PhoneBookTab);
    case CPimFeature::DeleteContact:
        return frame && frame->TabWnd()->DeleteEntry(CPIMTabWnd::PhoneBookTab);
    case CPimFeature::NewEvent:
        return frame && frame->TabWnd()->NewEntry(CPIMTabWnd::DateBookTab);
    case CPimFeature::DeleteEvent:
        return frame && frame->TabWnd()->DeleteEntry(CPIMTabWnd::DateBookTab);
    case CPimFeature::Synchronize:
        return services.ExecuteCommand(FrameCmd::SyncPim);
    case CPimFeature::Help:
        services.ShowHelp(CPimFeature::HelpContext);
        return true;
    default:
        return false;
    }
}

// While the synchronisation program has the PIM file, the file is closed and the main window takes no
// input; then the file the user had comes back.
void FollowSync(CPimSync& sync, IFrameServices& services, CPimDocManager& documents)
{
    auto wasOpen = std::make_shared<bool>(false);
    QObject::connect(&sync, &CPimSync::started, &documents, [&services, &documents, wasOpen]() {
        *wasOpen = documents.Document() != nullptr;
        documents.CloseDocument();
        services.MainWindow()->setEnabled(false);
        services.SetStatusText(CVelmoraWrap::LoadString(PimDocMsg::SyncRunning));
    });
    QObject::connect(&sync, &CPimSync::finished, &documents, [&services, &documents, wasOpen]() {
        services.MainWindow()->setEnabled(true);
        services.SetStatusText(CVelmoraWrap::LoadString(PimDocMsg::SyncEnded));
        const QString last = CPimDocManager::LastPimFile();
        // The PIM file that was open comes back; with none open, it comes back unless a fleet is in front.
        if ((*wasOpen || !services.ActiveDocument()) && !last.isEmpty() && QFileInfo(last).isFile())
            documents.OpenDocument(last);
        *wasOpen = false;
    });
}

} // namespace

CPimFeature::Item CPimFeature::ItemOfLabel(const QString& label)
{
    const QPair<int, Item> items[] = {
        {PimDocText::NewContact, NewContact},   {PimDocText::DeleteContact, DeleteContact},
        {PimDocText::NewEvent, NewEvent},       {PimDocText::DeleteEvent, DeleteEvent},
        {PimDocText::Synchronize, Synchronize}, {PimDocText::Help, Help}};
    for (const auto& item : items) {
        if (Plain(item.first) == label)
            return item.second;
    }
    return NoItem;
}

CPimFeature::Parts CPimFeature::Register(IFrameRegistry& frame, const CPimFeatureSettings& settings)
{
    IFrameServices& services = frame.Services();
    QWidget* owner = services.MainWindow();
    Parts parts;
    parts.documents = new CPimDocManager(services, settings.programFolder, owner);
    parts.sync = new CPimSync(owner);
    CPimDocManager& documents = *parts.documents;
    CPimSync& sync = *parts.sync;

    const auto hasDocument = [&documents]() { return documents.Document() != nullptr; };
    frame.AddCommand(
        FrameCmd::PimWindow, [&documents]() { documents.ShowPim(); }, {},
        [&services]() { return services.ActiveFamily() == FrameFamily::Pim; });
    frame.AddFamilyCommand(FrameFamily::Pim, FrameCmd::FileNew, [&documents]() { documents.NewDocument(); });
    frame.AddFamilyCommand(FrameFamily::Pim, FrameCmd::FileOpen,
                           [&documents]() { documents.PromptAndOpen(); });
    frame.AddFamilyCommand(
        FrameFamily::Pim, FrameCmd::FileSaveAs, [&documents]() { documents.SaveAs(); }, hasDocument);
    frame.AddFamilyCommand(
        FrameFamily::Pim, FrameCmd::FileClose, [&documents]() { documents.CloseDocument(); }, hasDocument);
    frame.SetPimFileOpener([&documents](const QString& path) { return documents.OpenDocument(path); });

    frame.AddCommand(
        FrameCmd::SyncPim, [&sync]() { CVelmoraWrap::ShowError(sync.Launch()); },
        [&sync]() { return !sync.IsRunning(); });
    // Carrier 3 has no synchronisation run to wait for: its program is started and left alone.
    if (settings.carrierId != 3)
        FollowSync(sync, services, documents);

    frame.AddListBarHandler(FrameFamily::Pim, [&services, &documents](const QString& label) {
        return RunItem(ItemOfLabel(label), services, documents);
    });
    return parts;
}
