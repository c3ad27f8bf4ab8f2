#include "app/EditorApp.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

#include "app/DataLocation.h"
#include "app/WindowPlacement.h"
#include "settings/ProgramMenu.h"
#include "settings/SettingsFile.h"
#include "storage/PathUtil.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/main/frmQuick.h"
#include "ui/widgets/LineEditor.h"

namespace lt {

namespace {
bool HasFixedPitchFont() {
    if (QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).fixedPitch()) return true;
    for (const QString& family : QFontDatabase::families())
        if (QFontDatabase::isFixedPitch(family)) return true;
    return false;
}

// The toolkit's screen units in the settings file: 15 twips per pixel.
constexpr float kTwipsPerPixel = 15.0f;
} // namespace

StartupOptions DesktopStartupOptions() {
    QCoreApplication::setApplicationName(QStringLiteral("Lumatext 7700"));
    QCoreApplication::setOrganizationName(QStringLiteral("Brelmo Industries"));
    // The desktop entry the window belongs to (its icon in task bars and docks).
    QGuiApplication::setDesktopFileName(QStringLiteral("lumatext7700"));
    StartupOptions o;
    // Qt names paths with "/"; the program writes its platform's separator.
    auto native = [](const QString& path) { return QDir::toNativeSeparators(path).toStdString(); };
    o.programDir = native(QCoreApplication::applicationDirPath());
    o.currentDir = native(QDir::currentPath());
    o.appDataDir = native(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    o.documentsDir = native(QDir(documents).exists() ? documents : QDir::homePath());
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    o.lockDir = native(runtime.isEmpty() ? QDir::tempPath() : runtime);
    return o;
}

EditorApp::EditorApp(FileSystem& fs, StartupOptions options)
    : fs_(fs),
      options_(std::move(options)),
      lock_(WithTrailingSeparator(options_.lockDir) + "Lumatext7700.lock"),
      port_(nullptr, nullptr) {
    if (!options_.showModal) options_.showModal = [](QDialog& d) { d.exec(); };
    session_ = std::make_unique<Session>(fs_, options_.userPort ? *options_.userPort : static_cast<UserPort&>(port_));
}

EditorApp::~EditorApp() = default;

bool EditorApp::acquireInstanceLock() {
    // Only another running editor stops this one: where no lock can be made at all (no
    // runtime directory, no rights), the editor starts without one.
    return lock_.tryLock() != platform::InstanceLock::Result::HeldElsewhere;
}

bool EditorApp::start() {
    if (!acquireInstanceLock()) {
        frmInfo info;
        options_.showModal(info);
        return false;
    }
    frmSplsh splash;
    splash.show();
    QCoreApplication::processEvents();

    Session& s = *session_;
    s.run.ProgramDir = WithTrailingSeparator(options_.programDir);
    s.run.ProgramName = "Lumatext7700";
    const DataLocation where = ChooseDataLocation(fs_, s.run.ProgramDir, options_.currentDir, options_.appDataDir,
                                                  options_.documentsDir);
    s.run.DataDir = where.dataDir;
    s.run.DocumentsDir = where.documentsDir;
    s.run.SettingsFilePath = SettingsFilePathFor(where.settingsDir, s.run.ProgramName);
    s.run.HelpFilePath = s.run.ProgramDir + "Lumatext7700.hlp";

    window_ = std::make_unique<frmQuick>(s);
    frmQuick* w = window_.get();
    port_.setParent(w);
    port_.setStatusSink([w](const QString& text) { w->setStatus(text); });

    // The window starts centred; a position from the settings file moves it, as far as it
    // stays on a screen.
    window_->resize(window_->sizeHint().expandedTo(QSize(760, 560)));
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        window_->move(area.center() - window_->rect().center());
    }
    SettingsReadResult read = ReadSettings(s.settings, fs_, s.run.SettingsFilePath, s.run.ProgramDir);
    if (read.windowTop || read.windowLeft) {
        QPoint p = window_->pos();
        if (read.windowLeft) p.setX(static_cast<int>(*read.windowLeft / kTwipsPerPixel));
        if (read.windowTop) p.setY(static_cast<int>(*read.windowTop / kTwipsPerPixel));
        window_->move(p);
    }
    KeepOnScreen(*window_);
    if (!read.fileFound) {
        frmAbout about(window_.get());
        options_.showModal(about);
    }
    window_->updateRecentMenu();
    ApplyUnitType(s);
    window_->applyUnitType();

    if (!HasFixedPitchFont()) {
        s.ui.messageBox(Box("Can't find font 'Courier 10,12,15 (VGA res)'. Normal operation not possible. You need to "
                            "install it from original Windows\xC2\xAE disks or copy file COURE.FON to yur Windows\\System "
                            "directory.",
                            Buttons::Ok, Icon::Exclamation));
        return false;
    }
    s.run.PreviousEditorType = s.settings.EditorType;
    s.run.ScriptEditMode = false;
    window_->files().NewFile();
    window_->show();
    // The first keys typed go into the message text.
    if (window_->txtEdit->isEnabled() && window_->txtEdit->isVisible()) window_->txtEdit->setFocus(Qt::OtherFocusReason);
    KeepOnScreen(*window_); // again, where the window now has its real frame
    splash.close();
    return true;
}

void EditorApp::openFile(const std::string& path) {
    if (window_) window_->files().OpenPath(path);
}

void EditorApp::shutdown() {
    if (!window_ || port_.endRequested()) return;
    const Session& s = *session_;
    QPoint p = window_->pos();
    WriteSettings(s.settings, fs_, s.run.SettingsFilePath, static_cast<float>(p.y()) * kTwipsPerPixel,
                  static_cast<float>(p.x()) * kTwipsPerPixel);
}

} // namespace lt
