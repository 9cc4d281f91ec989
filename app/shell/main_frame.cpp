#include "app/shell/main_frame.h"

#include <QAction>
#include <QComboBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QDialog>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QFont>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QShortcut>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

#include "app/dialogs/flat_tool_bar.h"
#include "app/shell/brindle_view.h"
#include "app/shell/command_ids.h"
#include "app/shell/own_strings.h"
#include "app/shell/score_command_table.h"
#include "app/shell/text_style_change.h"
#include "app/shell/tool_bar_pictures.h"
#include "engine/model/log_font.h"
#include "platform/command_manager.h"
#include "platform/font_mapper.h"
#include "platform/lock_keys.h"
#include "platform/string_table.h"
#include "platform/qt_string.h"

namespace brindle {

namespace {

constexpr int kSeparator = 0;

QString Q(std::u16string_view text) { return platform::ToQString(text); }

// Menu items: command id and text (0 makes a separator); an item with a submenu has id 0.
struct MenuItem {
    int id;
    const char16_t* text;
    std::vector<MenuItem> submenu = {};
};

// The one-call score commands of a group, as the command table names them.
std::vector<MenuItem> GroupItems(ScoreCommandGroup group)
{
    std::vector<MenuItem> items;
    for (const ScoreCommand& command : ScoreCommands())
        if (command.group == group && command.inMenu)
            items.push_back({command.id, command.text.data()});
    return items;
}

void AddMenuItems(platform::CommandManager& commands, QMenu* menu, const std::vector<MenuItem>& items)
{
    for (const MenuItem& item : items) {
        if (!item.submenu.empty()) {
            AddMenuItems(commands, menu->addMenu(Q(item.text)), item.submenu);
            continue;
        }
        if (item.id == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = commands.Action(item.id);
        QString text = Q(item.text);
        const int tab = text.indexOf(u'\t');
        action->setText(tab < 0 ? text : text.left(tab));
        action->setShortcutVisibleInContextMenu(true);
        // The toolbar pictures stay on the toolbars: in a menu the item shows its check.
        action->setIconVisibleInMenu(false);
        menu->addAction(action);
    }
}

std::vector<MenuItem> Joined(std::vector<MenuItem> items, const std::vector<MenuItem>& more)
{
    items.insert(items.end(), more.begin(), more.end());
    return items;
}

// A dock that runs a preparation before it is shown, whichever way it is shown (the
// program, or the main window's menu of bars): in time for the window's size to allow
// for what the preparation adds.
class PreparedDockWidget final : public QDockWidget {
public:
    using QDockWidget::QDockWidget;

    // From now on, before each show.
    void SetPreparation(std::function<void()> prepare) { prepare_ = std::move(prepare); }

    void setVisible(bool visible) override
    {
        if (visible && prepare_)
            prepare_();
        QDockWidget::setVisible(visible);
    }

private:
    std::function<void()> prepare_;
};

}  // namespace

CMainFrame::CMainFrame(CBrindleView* view, platform::CommandTarget* application, Options options)
    : m_pView(view), m_pApplication(application), options_(options), m_pCommands(new platform::CommandManager(this))
{
    m_pCommands->SetRoute([this] {
        return std::vector<platform::CommandTarget*>{m_pView, this, m_pApplication};
    });
    if (m_pView) {
        m_pView->setParent(this);
        setCentralWidget(m_pView);
        m_pView->SetFrame(this);
    }
    setAcceptDrops(true);
    MapFrameCommands();
}

CMainFrame::~CMainFrame()
{
    delete m_pSignatureFont;
    delete m_pNumberFont;
}

bool CMainFrame::Create()
{
    BuildMenus();
    CreateStatusBar();
    CreateFonts();
    setDockNestingEnabled(true);

    {
        platform::ScopedResourceSource own(platform::ResourceSource::Own);
        if (!CreateFileToolBar() || !CreatePageAndZoomToolBars() || !CreatePlaybackToolBar() ||
            !CreateNoteToolBar() || !CreatePaletteSwitchToolBar() || !CreateGraceAndSizeToolBars())
            return false;
    }
    // The rows: file, page, zoom and playback; note, grace-note and note-size; the
    // palette switches on their own.
    auto bar = [this](int id) { return FindToolBar(id); };
    for (int id : {0xE801, 0xE802, 0xE803, 0xE804})
        addToolBar(Qt::TopToolBarArea, bar(id));
    addToolBarBreak(Qt::TopToolBarArea);
    for (int id : {0xE805, 0xE806, 0xE807})
        addToolBar(Qt::TopToolBarArea, bar(id));
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, bar(0xE808));

    {
        platform::ScopedResourceSource library(platform::ResourceSource::Library);
        QToolBar* barline = CreatePalette(QStringLiteral("小节线"),
            {32820, 32853, 32822, 32858, 32867, 32868, 32864, 32865, 32866, 32869, 32870, 32871, 32918, 32919});
        QToolBar* symbol = CreatePalette(QStringLiteral("符号"),
            {32920, 32921, 32922, 32814, 32923, 32806, 32925, 32809, 32810});
        QToolBar* line = CreatePalette(QStringLiteral("线"),
            {32915, 32914, 32818, 32819, 32913, 32916, 32917, 32926, 32927, 32928, 32929});
        QToolBar* layout = CreatePalette(QStringLiteral("排版"),
            {32879, kSeparator, 32878, 32872, 32874, 32875, 32876, 32880});
        QToolBar* dynamics = CreatePalette(QStringLiteral("力度符号"),
            {32889, 32890, 32891, 32895, 32896, 32897, 32901, 32902, 32903, 32904, 32905, 32906, 32907, 32908,
             32909, 32910, 32911});
        QToolBar* lyric = CreatePalette(QStringLiteral("歌词"), {32888, kSeparator, 32797, 32798, 32799, 32800, 32801});
        if (!barline || !symbol || !line || !layout || !dynamics || !lyric)
            return false;
        // The order in which showing one palette hides the others.
        m_palettes = {
            {cmd::kLinePalette, &m_bLineShown, line},
            {cmd::kLayoutPalette, &m_bLayoutShown, layout},
            {cmd::kBarlinePalette, &m_bBarlineShown, barline},
            {cmd::kSymbolPalette, &m_bSymbolShown, symbol},
            {cmd::kDynamicsPalette, &m_bDynamicsShown, dynamics},
            {cmd::kLyricPalette, &m_bLyricShown, lyric},
        };
        if (!CreateFontToolBar())
            return false;
    }

    // The progress dialog shown while a document opens: modeless, owned by the frame.
    m_pProgressDlg = new QDialog(this, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    m_pProgressDlg->setObjectName(QStringLiteral("dialog243"));
    m_pProgressDlg->setWindowTitle(QStringLiteral("Larkspire简谱"));
    m_pProgressDlg->setModal(false);
    auto* layout = new QVBoxLayout(m_pProgressDlg);
    layout->addWidget(new QLabel(QStringLiteral("正在导入文件..."), m_pProgressDlg));
    m_pProgressBar = new QProgressBar(m_pProgressDlg);
    m_pProgressBar->setObjectName(QStringLiteral("control1116"));
    m_pProgressBar->setRange(0, kProgressSteps);
    m_pProgressBar->setTextVisible(false);
    layout->addWidget(m_pProgressBar);
    m_pProgressDlg->resize(300, 90);
    m_pProgressDlg->hide();

    m_nAutosaveTimer = SetTimer(kAutosaveTimer, options_.autosaveInterval);
    GuardShortcutsOfDisabledCommands();
    m_pCommands->StartIdleUpdates();
    return true;
}

void CMainFrame::MapFrameCommands()
{
    using platform::CommandUI;
    using platform::LResult;
    MapCommand(cmd::kEmpty32844, [] {});
    MapUpdate(cmd::kEmpty32844, [](CommandUI&) {});
    MapCommand(cmd::kPreviewNext, [] {});
    MapCommand(cmd::kPreviewPrev, [] {});
    MapCommand(cmd::kAppExit, [this] { OnClose(); });

    for (int id : {cmd::kBarlinePalette, cmd::kLinePalette, cmd::kSymbolPalette, cmd::kLayoutPalette,
                   cmd::kDynamicsPalette, cmd::kLyricPalette}) {
        MapCommand(id, [this, id] { OnTogglePalette(id); });
        MapUpdate(id, [this, id](CommandUI& ui) {
            const bool open = m_pView && m_pView->HasScore();
            const auto slot = std::find_if(m_palettes.begin(), m_palettes.end(), [id](const PaletteSlot& s) { return s.command == id; });
            ui.Enable(open);
            ui.SetCheck(open && slot != m_palettes.end() && *slot->shown ? 1 : 0);
        });
    }

    MapCommand(cmd::kBold, [this] { ToggleStyle(m_bBold, TextStyleChange::kBold); });
    MapCommand(cmd::kItalic, [this] { ToggleStyle(m_bItalic, TextStyleChange::kItalic); });
    MapCommand(cmd::kUnderline, [this] { ToggleStyle(m_bUnderline, TextStyleChange::kUnderline); });
    MapUpdate(cmd::kBold, [this](CommandUI& ui) { ui.SetCheck(m_bBold ? 1 : 0); });
    MapUpdate(cmd::kItalic, [this](CommandUI& ui) { ui.SetCheck(m_bItalic ? 1 : 0); });
    MapUpdate(cmd::kUnderline, [this](CommandUI& ui) { ui.SetCheck(m_bUnderline ? 1 : 0); });

    // View menu: the main (file) toolbar and the status bar.
    MapCommand(cmd::kViewToolbar, [this] {
        if (m_pFileToolBar)
            m_pFileToolBar->setVisible(!m_pFileToolBar->isVisible());
    });
    MapUpdate(cmd::kViewToolbar, [this](CommandUI& ui) { ui.SetCheck(m_pFileToolBar && m_pFileToolBar->isVisible() ? 1 : 0); });
    MapCommand(cmd::kViewStatusBar, [this] { statusBar()->setVisible(!statusBar()->isVisible()); });
    MapUpdate(cmd::kViewStatusBar, [this](CommandUI& ui) { ui.SetCheck(statusBar()->isVisible() ? 1 : 0); });

    auto ignored = [](platform::WParam, platform::LParam) { return LResult{0}; };
    MapMessage(msg::kViewSetUpDone, ignored);
    MapMessage(msg::kIgnored602, ignored);
    MapMessage(msg::kIgnored603, ignored);
    MapMessage(msg::kTempoSliderMoved, [this](platform::WParam w, platform::LParam) {
        return OnTempoSliderMoved(static_cast<int>(static_cast<std::intptr_t>(w)));
    });
    MapMessage(msg::kSetTempo, [this](platform::WParam w, platform::LParam) {
        return OnSetTempo(static_cast<int>(static_cast<std::intptr_t>(w)));
    });
    MapMessage(msg::kGetTempo, [this](platform::WParam, platform::LParam) {
        return LResult{m_pTempoSlider ? m_pTempoSlider->value() : 0};
    });
    MapMessage(msg::kShowPosition, [this](platform::WParam w, platform::LParam l) {
        return OnShowPosition(static_cast<int>(static_cast<std::intptr_t>(w)), static_cast<int>(l));
    });
    MapMessage(msg::kCloseConfirmed, [this](platform::WParam, platform::LParam) { return OnCloseConfirmed(); });
    MapMessage(msg::kShowProgress, [this](platform::WParam, platform::LParam) { return OnShowProgress(); });
    MapMessage(msg::kHideProgress, [this](platform::WParam, platform::LParam) { return OnHideProgress(); });
    MapMessage(msg::kMouseToolChanged, [this](platform::WParam tool, platform::LParam) {
        if (m_pFontDock)
            m_pFontDock->setVisible(tool == 4);
        return LResult{0};
    });
    MapMessage(msg::kTextStyleChange, [this](platform::WParam w, platform::LParam l) {
        return m_pView ? m_pView->SendMessage(msg::kTextStyleChange, w, l) : LResult{0};
    });
}

void CMainFrame::BuildMenus()
{
    const MenuItem separator{0, nullptr};
    const std::vector<std::pair<const char16_t*, std::vector<MenuItem>>> menus = {
        {u"文件(&F)",
         {{cmd::kFileNew, u"新建(&N)\tCtrl+N"}, {cmd::kFileOpen, u"打开(&O)...\tCtrl+O"},
          {cmd::kFileClose, u"关闭(&C)"}, {cmd::kFileSave, u"保存(&S)\tCtrl+S"},
          {cmd::kFileSaveAs, u"另存为(&A)..."}, separator, {cmd::kScoreInfo, u"乐谱信息..."},
          {cmd::kPageSetup, u"页面设置"}, separator, {cmd::kFilePrint, u"打印(&P)...\tCtrl+P"},
          {cmd::kFilePrintSetup, u"打印设置(&R)..."}, separator, {cmd::kFileMru1, u"最近的文件"},
          {cmd::kFileMru1 + 1, u""}, {cmd::kFileMru1 + 2, u""}, {cmd::kFileMru1 + 3, u""}, separator,
          {cmd::kAppExit, u"退出(&X)"}}},
        {u"编辑(&E)",
         {{cmd::kEditUndo, u"撤消(&U)\tCtrl+Z"}, {cmd::kEditRedo, u"重新执行(&R)\tCtrl+Y"}, {0, nullptr},
          {cmd::kEditCut, u"剪切(&T)\tCtrl+X"}, {cmd::kEditCopy, u"复制(&C)\tCtrl+C"},
          {cmd::kEditPaste, u"粘贴(&P)\tCtrl+V"}}},
        {u"音符(&N)",
         {{142, u"休止符"}, {146, u"Do"}, {150, u"Re"}, {154, u"Me"}, {158, u"Fa"}, {162, u"Sol"}, {166, u"La"},
          {169, u"Si"}, {0, nullptr}, {171, u"全音符"}, {172, u"二分音符"}, {173, u"四分音符"}, {174, u"8分音符"},
          {176, u"16分音符"}, {183, u"32分音符"}, {184, u"64分音符"}, {186, u"128分音符"}, {0, nullptr},
          {32784, u"附点"}, {32785, u"双附点"}, {32786, u"三附点"}, {0, nullptr}, {32840, u"超高音"},
          {32780, u"倍高音"}, {32827, u"高音"}, {32781, u"中音"}, {32782, u"低音"}, {32783, u"倍低音"},
          {32841, u"超低音"}, {0, nullptr}, {32787, u"重升号"}, {178, u"升号"}, {180, u"还原号"}, {179, u"降号"},
          {32788, u"重降号"}, {0, nullptr}, {32804, u"前倚音"}, {32805, u"后倚音"}, {0, nullptr},
          {32789, u"同音连音线"}, {108, u"三连音"}, {32791, u"连    音..."}, {32846, u"放大音符"},
          {32847, u"缩小音符"}, {0, nullptr}, {160, u"选择"}, {32843, u"鼠标输入"}, {33035, u"复制到Word"}}},
        {u"查看(&V)",
         {{cmd::kViewToolbar, u"工具栏(&T)"}, {cmd::kViewStatusBar, u"状态栏(&S)"}, separator,
          {cmd::kBarlinePalette, u"小节线工具栏"}, {cmd::kSymbolPalette, u"符号工具栏"},
          {cmd::kLinePalette, u"线工具栏"}, {cmd::kDynamicsPalette, u"力度符号工具栏"},
          {cmd::kLyricPalette, u"歌词工具栏"}, {cmd::kLayoutPalette, u"排版工具栏"}, separator,
          {cmd::kShowPageBorder, u"显示页边框"}, {cmd::kShowTrackBaseLines, u"显示行基线"}, separator,
          {cmd::kZoomIn, u"放大(&I)"}, {cmd::kZoomOut, u"缩小(&O)"}, {cmd::kZoomDefault, u"默认大小(&D)"}}},
        {u"乐谱(&C)",
         {{cmd::kAddVoice, u"添加声部"}, {cmd::kDeleteVoice, u"删除声部"}, separator,
          {cmd::kAddBars, u"添加小节"}, {cmd::kDeleteBars, u"删除小节"}, separator,
          {cmd::kKeySignature, u"调　号"}, {cmd::kTimeSignature, u"拍　号"}, {cmd::kTempo, u"速　度"},
          {cmd::kTempoText, u"速度表情标记"}, separator,
          {0, u"力    度", GroupItems(ScoreCommandGroup::Dynamics)},
          {0, u"符    号", GroupItems(ScoreCommandGroup::Symbols)},
          {cmd::kOtherSymbols, u"其它符号..."},
          {0, u"线...", GroupItems(ScoreCommandGroup::Lines)},
          {0, u"分组符号", GroupItems(ScoreCommandGroup::Groupings)}, separator,
          {0, u"歌　词", Joined({{cmd::kEditLyrics, u"编辑歌词"}, separator}, GroupItems(ScoreCommandGroup::Lyrics))},
          {0, u"文　字",
           {{cmd::kAdapterText, u"改编者"}, {cmd::kSingerText, u"演唱者"}, {cmd::kInstrumentName, u"乐器名"}}},
          separator, {cmd::kBarNumbers, u"小节序号"}}},
        {u"工具(T)",
         Joined({{cmd::kTranspose, u"转调"}}, Joined(GroupItems(ScoreCommandGroup::Tools), {{cmd::kOctaveShift, u"升降八度"}}))},
        {u"排版(&M)",
         Joined(GroupItems(ScoreCommandGroup::Layout),
                {separator, {cmd::kBarsPerLine, u"设置行小节数"}, {cmd::kLinesOnPage, u"设置当前页行数"}, separator,
                 {cmd::kShowLineBreakMarks, u"换行标识"}, {cmd::kShowIndentMarks, u"缩进调整标识"},
                 {cmd::kShowLineSpacingMarks, u"行间距调整标识"}, {cmd::kShowLinePositionMarks, u"当前行位置调整标识"},
                 {cmd::kShowBarWidthMarks, u"小节宽度调整标识"}, {cmd::kShowLyricLineMarks, u"歌词行调整标识"},
                 separator, {cmd::kHideEmptyLines, u"隐藏空白行"}, separator,
                 {cmd::kRestoreDefaultLayout, u"恢复默认排版"}})},
        {u"播放(&P)",
         {{cmd::kPlay, u"播　放(&P)"}, {cmd::kStop, u"停　止(&S)"}, {cmd::kRecord, u"录　音(&R)"},
          {cmd::kMetronome, u"节拍器(&M)"},
          {cmd::kAllNotesOff, u"关闭所有音(&C)"}}},
        {u"设置(&O)",
         {{cmd::kFontSettings, u"字　体..."}, {cmd::kBackgroundSettings, u"背　景..."},
          {cmd::kMidiDevices, u"播放及录音设备..."}, {cmd::kShortcutKeys, u"快捷键..."},
          {cmd::kParameters, u"参  数..."}}},
        {u"帮助(&H)", {{cmd::kHelp, u"帮助(F1)"}, separator, {cmd::kAppAbout, u"关于Larkspire简谱(&A)..."}}},
    };
    for (const auto& [title, items] : menus) {
        QMenu* menu = menuBar()->addMenu(Q(title));
        AddMenuItems(*m_pCommands, menu, items);
        if (menus.front().first == title) {
            AddExportMenu(menu);
            connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateRecentFileItems(menu); });
        }
        m_pCommands->WatchMenu(menu);
    }
    // The menu commands with keys of their own; the window holds their actions so the keys
    // work with every menu closed.
    const std::pair<int, QList<QKeySequence>> keys[] = {
        {cmd::kFileNew, {QKeySequence(Qt::CTRL | Qt::Key_N)}},
        {cmd::kFileOpen, {QKeySequence(Qt::CTRL | Qt::Key_O)}},
        {cmd::kFileSave, {QKeySequence(Qt::CTRL | Qt::Key_S)}},
        {cmd::kFilePrint, {QKeySequence(Qt::CTRL | Qt::Key_P)}},
        {cmd::kEditUndo, {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)}},
        {cmd::kEditRedo, {QKeySequence(Qt::CTRL | Qt::Key_Y)}},
        {cmd::kHelp, {QKeySequence(Qt::Key_F1)}},
        {cmd::kEditCut, {QKeySequence(Qt::CTRL | Qt::Key_X)}},
        {cmd::kEditCopy, {QKeySequence(Qt::CTRL | Qt::Key_C)}},
        {cmd::kEditPaste, {QKeySequence(Qt::CTRL | Qt::Key_V)}},
    };
    for (const auto& [id, sequences] : keys) {
        QAction* action = m_pCommands->Action(id);
        action->setShortcuts(sequences);
        addAction(action);
    }
    UpdateRecentFileItems(nullptr);
}

void CMainFrame::AddExportMenu(QMenu* fileMenu)
{
    // "导出(&E)" after Save As, enabled while a score is open.
    auto* exportMenu = new QMenu(QStringLiteral("导出(&E)"), fileMenu);
    AddMenuItems(*m_pCommands, exportMenu, {{cmd::kExportMidi, u"MIDI文件..."}, {cmd::kExportMetafile, u"WMF文件..."}});
    QAction* saveAs = m_pCommands->Action(cmd::kFileSaveAs);
    const QList<QAction*> items = fileMenu->actions();
    const qsizetype at = items.indexOf(saveAs);
    fileMenu->insertMenu(at >= 0 && at + 1 < items.size() ? items[at + 1] : nullptr, exportMenu);
    connect(fileMenu, &QMenu::aboutToShow, this,
            [this, exportMenu] { exportMenu->setEnabled(m_pView && m_pView->HasScore()); });
}

void CMainFrame::GuardShortcutsOfDisabledCommands()
{
    // A disabled command still takes its key, as a disabled accelerator does: Ctrl+X with
    // nothing selected must not reach the score as an X.
    for (QAction* action : m_pCommands->findChildren<QAction*>()) {
        for (const QKeySequence& keys : action->shortcuts()) {
            auto* guard = new QShortcut(keys, this);
            guard->setContext(Qt::WindowShortcut);
            guard->setEnabled(!action->isEnabled());
            connect(action, &QAction::enabledChanged, guard, [guard](bool enabled) { guard->setEnabled(!enabled); });
        }
    }
}

void CMainFrame::UpdateRecentFileItems(QMenu*)
{
    const std::vector<std::u16string> entries = recentFiles_ ? recentFiles_() : std::vector<std::u16string>{};
    for (int i = 0; i < 4; ++i) {
        QAction* action = m_pCommands->Action(cmd::kFileMru1 + i);
        if (i < static_cast<int>(entries.size())) {
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(Q(entries[static_cast<std::size_t>(i)])));
            action->setVisible(true);
        } else {
            action->setText(i == 0 ? QStringLiteral("最近的文件") : QString());
            action->setVisible(i == 0);
            if (i == 0)
                action->setEnabled(false);
        }
    }
}

QToolBar* CMainFrame::CreateToolBar(const QString& title, int controlBarId, const std::vector<int>& commands)
{
    auto* bar = new CFlatToolBar(this);
    bar->setWindowTitle(title);
    bar->setObjectName(QStringLiteral("toolbar%1_%2").arg(controlBarId, 0, 16).arg(m_toolBars.size()));
    bar->setProperty("controlBarId", controlBarId);
    bar->setIconSize(QSize(ToolBarPictures::kImageSize, ToolBarPictures::kImageSize));
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : commands) {
        if (id == kSeparator) {
            bar->addSeparator();
            continue;
        }
        QAction* action = m_pCommands->Action(id);
        const std::u16string entry = platform::LoadResourceString(static_cast<unsigned>(id));
        const QString tip = Q(TooltipOf(entry));
        const auto cut = entry.find(u'\n');
        action->setToolTip(tip);
        action->setStatusTip(cut == std::u16string::npos ? QString() : Q(std::u16string_view(entry).substr(0, cut)));
        if (action->text().isEmpty())
            action->setText(tip);
        if (action->icon().isNull())
            action->setIcon(ToolBarPictures::Icon(id));
        bar->addAction(action);
    }
    m_toolBars.push_back(bar);
    return bar;
}

bool CMainFrame::CreateFileToolBar()
{
    m_pFileToolBar = CreateToolBar(QStringLiteral("文件"), 0xE801,
        {cmd::kFileNew, cmd::kFileOpen, cmd::kFileSave, cmd::kFilePrint, kSeparator, cmd::kEditUndo, cmd::kEditRedo});
    return m_pFileToolBar != nullptr;
}

bool CMainFrame::CreatePageAndZoomToolBars()
{
    return CreateToolBar(QStringLiteral("页"), 0xE802, {cmd::kFirstPage, cmd::kPrevPage, cmd::kNextPage, cmd::kLastPage}) &&
           CreateToolBar(QStringLiteral("缩放"), 0xE803, {cmd::kZoomIn, cmd::kZoomOut, cmd::kZoomDefault, cmd::kDragTool});
}

bool CMainFrame::CreatePlaybackToolBar()
{
    QToolBar* bar = CreateToolBar(QStringLiteral("播放"), 0xE804, {cmd::kPlay, cmd::kStop, cmd::kRecord, cmd::kMetronome});
    if (!bar)
        return false;
    auto label = [bar](int id, int width) {
        auto* control = new QLabel(bar);
        control->setObjectName(QStringLiteral("control%1").arg(id));
        control->setProperty("controlId", id);
        control->setFixedWidth(width);
        control->setAlignment(Qt::AlignCenter);
        return control;
    };
    m_pTempoLabel = label(kTempoLabelId, 25);
    m_pTempoLabel->setText(QStringLiteral("Q="));
    m_pTempoLabel->setAlignment(Qt::AlignVCenter | Qt::AlignRight);
    if (m_pSignatureFont)
        m_pTempoLabel->setFont(*m_pSignatureFont);
    m_pTempoNumber = label(kTempoNumberId, 40);
    m_pTempoNumber->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    if (m_pNumberFont)
        m_pTempoNumber->setFont(*m_pNumberFont);
    m_pTempoSlider = new QSlider(Qt::Horizontal, bar);
    m_pTempoSlider->setObjectName(QStringLiteral("control%1").arg(kTempoSliderId));
    m_pTempoSlider->setProperty("controlId", kTempoSliderId);
    m_pTempoSlider->setFixedWidth(80);
    m_pTempoSlider->setRange(kMinTempo, kMaxTempo);
    m_pTempoSlider->setValue(100);
    m_pTempoSlider->setTickPosition(QSlider::NoTicks);
    // Moved with the mouse only: the keyboard stays with the score, where Space stops
    // the playback whose speed the slider sets.
    m_pTempoSlider->setFocusPolicy(Qt::NoFocus);
    m_pTempoSlider->setToolTip(QStringLiteral("播放速度"));
    connect(m_pTempoSlider, &QSlider::valueChanged, this, [this](int value) {
        if (!settingSlider_)
            PostMessage(msg::kTempoSliderMoved, static_cast<platform::WParam>(value));
    });
    m_pPosition = label(kPositionId, 45);
    m_pPosition->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    if (m_pNumberFont)
        m_pPosition->setFont(*m_pNumberFont);
    bar->addWidget(m_pTempoLabel);
    bar->addWidget(m_pTempoNumber);
    bar->addWidget(m_pTempoSlider);
    bar->addWidget(m_pPosition);
    return true;
}

bool CMainFrame::CreateNoteToolBar()
{
    return CreateToolBar(QStringLiteral("音符"), 0xE805,
                         {32783, 32782, 32781, 32827, 32780, kSeparator, 171, 172, 173, 174, 176, 183, kSeparator,
                          32784, kSeparator, 178, 180, 179, kSeparator, 32789, 108}) != nullptr;
}

bool CMainFrame::CreatePaletteSwitchToolBar()
{
    QToolBar* bar = CreateToolBar(QStringLiteral("工具栏切换"), 0xE808,
                                  {cmd::kBarlinePalette, cmd::kSymbolPalette, cmd::kLinePalette, cmd::kDynamicsPalette,
                                   cmd::kLyricPalette, cmd::kLayoutPalette, cmd::kFreeTextTool});
    if (!bar)
        return false;
    for (int id : {cmd::kBarlinePalette, cmd::kSymbolPalette, cmd::kLinePalette, cmd::kDynamicsPalette,
                   cmd::kLyricPalette, cmd::kLayoutPalette})
        m_pCommands->Action(id)->setCheckable(true);
    return true;
}

bool CMainFrame::CreateGraceAndSizeToolBars()
{
    return CreateToolBar(QStringLiteral("倚音"), 0xE806, {32804, 32805}) &&
           CreateToolBar(QStringLiteral("音符大小"), 0xE807, {32847, 32846});
}

QToolBar* CMainFrame::CreatePalette(const QString& title, const std::vector<int>& commands)
{
    QToolBar* bar = CreateToolBar(title, kControlBarPalette, commands);
    if (!bar)
        return nullptr;
    addToolBar(Qt::RightToolBarArea, bar);
    bar->hide();
    return bar;
}

bool CMainFrame::CreateFontToolBar()
{
    QToolBar* bar = CreateToolBar(QStringLiteral("字体"), kControlBarPalette, {cmd::kBold, cmd::kItalic, cmd::kUnderline});
    if (!bar)
        return false;
    for (int id : {cmd::kBold, cmd::kItalic, cmd::kUnderline})
        m_pCommands->Action(id)->setCheckable(true);
    bar->setIconSize(QSize(ToolBarPictures::kSmallImageSize, ToolBarPictures::kSmallImageSize));
    // A floating bar the user may dock anywhere; it first appears near the top left.
    auto* dock = new PreparedDockWidget(QStringLiteral("字体"), this);
    m_pFontDock = dock;
    m_pFontDock->setObjectName(QStringLiteral("fontToolBar"));
    m_pFontDock->setWidget(bar);
    addDockWidget(Qt::TopDockWidgetArea, m_pFontDock);
    m_pFontDock->setFloating(true);
    m_pFontDock->move(50, 150);
    m_pFontDock->hide();
    // The face and size boxes join the bar before it is first shown.
    dock->SetPreparation([this] { CreateFontBoxes(); });
    return true;
}

void CMainFrame::CreateFontBoxes()
{
    if (m_pFaceBox || !m_pFontDock)
        return;
    QToolBar* bar = qobject_cast<QToolBar*>(m_pFontDock->widget());
    if (!bar)
        return;
    // The face and size boxes come first; a change goes to the view as one style field.
    m_pFaceBox = new QFontComboBox(bar);
    m_pFaceBox->setObjectName(QStringLiteral("fontFace"));
    m_pFaceBox->setWritingSystem(QFontDatabase::SimplifiedChinese);
    m_pFaceBox->setFixedWidth(160);
    m_pSizeBox = new QComboBox(bar);
    m_pSizeBox->setObjectName(QStringLiteral("fontSize"));
    m_pSizeBox->setEditable(true);
    for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        m_pSizeBox->addItem(QString::number(size));
    m_pSizeBox->setCurrentText(QStringLiteral("12"));
    m_pSizeBox->setFixedWidth(56);
    QAction* first = bar->actions().isEmpty() ? nullptr : bar->actions().front();
    bar->insertWidget(first, m_pFaceBox);
    bar->insertWidget(first, m_pSizeBox);
    bar->insertSeparator(first);
    connect(m_pFaceBox, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
        TextStyleChange change;
        change.kind = TextStyleChange::kFaceName;
        change.faceName = font.family().left(31).toStdU16String();
        SendMessage(msg::kTextStyleChange, reinterpret_cast<platform::WParam>(&change));
    });
    connect(m_pSizeBox, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        // Only a whole number of points in a sensible range is passed on; anything else
        // typed into the box is left for the user to finish or correct.
        bool ok = false;
        const int points = text.trimmed().toInt(&ok);
        if (!ok || points < kMinFontPoints || points > kMaxFontPoints)
            return;
        TextStyleChange change;
        change.kind = TextStyleChange::kSize;
        change.size = points;
        SendMessage(msg::kTextStyleChange, reinterpret_cast<platform::WParam>(&change));
    });
}

QFontComboBox* CMainFrame::FontFaceBox()
{
    CreateFontBoxes();
    return m_pFaceBox;
}

QComboBox* CMainFrame::FontSizeBox()
{
    CreateFontBoxes();
    return m_pSizeBox;
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar59393"));
    m_pPagePane = new QLabel(Q(platform::LoadResourceString(ids::kPagePane)), bar);
    m_pPagePane->setObjectName(QStringLiteral("pane61456"));
    m_pPagePane->setMinimumWidth(m_pPagePane->fontMetrics().horizontalAdvance(QString(25, u' ')) + 8);
    bar->addPermanentWidget(m_pPagePane);
    // Caps Lock, Num Lock and Scroll Lock: each pane is lit while its key is on.
    platform::LockKeys& keys = platform::LockKeys::Instance();
    const platform::LockKeys::Key lockKeys[] = {platform::LockKeys::kCapsLock, platform::LockKeys::kNumLock,
                                                platform::LockKeys::kScrollLock};
    for (std::size_t i = 0; i < std::size(lockKeys); ++i) {
        const unsigned id = 59137u + static_cast<unsigned>(i);
        auto* pane = new QLabel(Q(platform::LoadResourceString(id)), bar);
        pane->setObjectName(QStringLiteral("pane%1").arg(id));
        const platform::LockKeys::Key key = lockKeys[i];
        pane->setEnabled(keys.IsOn(key));
        connect(&keys, &platform::LockKeys::Changed, pane, [pane, key] { pane->setEnabled(platform::LockKeys::Instance().IsOn(key)); });
        bar->addPermanentWidget(pane);
    }
}

void CMainFrame::CreateFonts()
{
    quaverly::LogFont signature;
    signature.SetFaceName(u"Tansy Signature");
    signature.height = -28;
    signature.weight = 400;
    signature.charSet = 1;
    signature.quality = 4;
    quaverly::LogFont number;
    number.SetFaceName(u"Tohoma");
    number.height = -14;
    number.weight = 700;
    number.charSet = 1;
    number.quality = 4;
    m_pSignatureFont = new QFont(platform::FontMapper::ToQFont(signature, 28));
    m_pNumberFont = new QFont(platform::FontMapper::ToQFont(number, 14));
}

QToolBar* CMainFrame::FindToolBar(int controlBarId) const
{
    for (QToolBar* bar : m_toolBars)
        if (bar->property("controlBarId").toInt() == controlBarId)
            return bar;
    return nullptr;
}

QToolBar* CMainFrame::Palette(int switchCommand) const
{
    for (const PaletteSlot& slot : m_palettes)
        if (slot.command == switchCommand)
            return slot.bar;
    return nullptr;
}

void CMainFrame::SetStatusText(std::u16string_view text)
{
    if (m_pPagePane)
        m_pPagePane->setText(Q(text));
}

std::u16string CMainFrame::StatusText() const
{
    return m_pPagePane ? m_pPagePane->text().toStdU16String() : std::u16string();
}

int CMainFrame::ProgressValue() const
{
    return m_pProgressBar ? m_pProgressBar->value() : 0;
}

void CMainFrame::OnTogglePalette(int command)
{
    for (PaletteSlot& slot : m_palettes) {
        if (slot.command == command) {
            *slot.shown = !*slot.shown;
            ShowPalette(slot.bar, *slot.shown);
            return;
        }
    }
}

void CMainFrame::ShowPalette(QToolBar* palette, bool show)
{
    for (PaletteSlot& slot : m_palettes) {
        if (slot.bar == palette)
            continue;
        *slot.shown = false;
        slot.bar->hide();
    }
    if (palette)
        palette->setVisible(show);
}

void CMainFrame::ToggleStyle(bool& flag, std::uint32_t kind)
{
    flag = !flag;
    TextStyleChange change;
    change.kind = kind;
    const std::uint8_t value = flag ? 1 : 0;
    if (kind == TextStyleChange::kBold)
        change.bold = value;
    else if (kind == TextStyleChange::kItalic)
        change.italic = value;
    else
        change.underline = value;
    if (m_pView)
        m_pView->SendMessage(msg::kTextStyleChange, reinterpret_cast<platform::WParam>(&change));
}

platform::LResult CMainFrame::OnTempoSliderMoved(int position)
{
    // Shown and passed on as given: a score's own tempo outside the slider's range is
    // still the tempo it plays and is saved with.
    if (m_pTempoNumber)
        m_pTempoNumber->setText(QString::number(position));
    if (m_pView)
        m_pView->PostMessage(msg::kTempoChanged, static_cast<platform::WParam>(static_cast<std::intptr_t>(position)));
    return 0;
}

platform::LResult CMainFrame::OnSetTempo(int tempo)
{
    // The slider keeps to its range; the number and the view get the value itself.
    if (m_pTempoSlider) {
        settingSlider_ = true;
        m_pTempoSlider->setValue(std::clamp(tempo, kMinTempo, kMaxTempo));
        settingSlider_ = false;
    }
    return OnTempoSliderMoved(tempo);
}

platform::LResult CMainFrame::OnShowPosition(int first, int second)
{
    if (m_pPosition)
        m_pPosition->setText(first == 0 && second == 0 ? QString() : QStringLiteral("%1:%2").arg(first).arg(second));
    return 0;
}

platform::LResult CMainFrame::OnShowProgress()
{
    if (!m_pProgressDlg)
        return 0;
    m_pProgressBar->setValue(0);
    const QRect owner = geometry();
    QRect box = m_pProgressDlg->frameGeometry();
    box.moveCenter(owner.center());
    m_pProgressDlg->move(box.topLeft());
    m_pProgressDlg->show();
    if (m_nProgressTimer == 0)
        m_nProgressTimer = SetTimer(kProgressTimer, kProgressInterval);
    return 0;
}

platform::LResult CMainFrame::OnHideProgress()
{
    if (m_pProgressDlg) {
        m_pProgressDlg->hide();
        m_pProgressDlg->move(-200, -200);
    }
    if (m_nProgressTimer != 0)
        KillTimer(m_nProgressTimer);
    m_nProgressTimer = 0;
    setFocus();
    return 0;
}

void CMainFrame::StepProgress()
{
    if (!m_pProgressBar)
        return;
    const int next = m_pProgressBar->value() + 1;
    m_pProgressBar->setValue(next > kProgressSteps ? 0 : next);
}

void CMainFrame::OnTimer(std::uintptr_t id)
{
    if (id == m_nAutosaveTimer && id != 0) {
        if (m_pView)
            m_pView->PostMessage(msg::kAutosave);
    } else if (id == m_nProgressTimer && id != 0) {
        StepProgress();
    }
    FrameWindowBase::OnTimer(id);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    const QMimeData* data = event->mimeData();
    if (data && data->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QMimeData* data = event->mimeData();
    if (!data || !m_pView)
        return;
    std::vector<std::u16string> paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile().toStdU16String());
    event->acceptProposedAction();
    // Opened once the drop has ended: opening may ask questions, and the program that
    // dragged waits for the drop to finish.
    QMetaObject::invokeMethod(
        this, [this, paths] { if (m_pView) m_pView->OnDropFiles(paths); }, Qt::QueuedConnection);
}

void CMainFrame::OnClose()
{
    if (m_pView)
        m_pView->SendMessage(platform::kWmClose);
    else
        OnCloseConfirmed();
}

platform::LResult CMainFrame::OnCloseConfirmed()
{
    if (m_nAutosaveTimer != 0)
        KillTimer(m_nAutosaveTimer);
    m_nAutosaveTimer = 0;
    if (m_nProgressTimer != 0)
        KillTimer(m_nProgressTimer);
    m_nProgressTimer = 0;
    CloseWindow();
    return 0;
}

}  // namespace brindle
