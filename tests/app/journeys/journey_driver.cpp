#include "journey_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>

#include "../shell/app_test_setup.h"
#include "../shell/page_targets.h"
#include "../shell/shell_fakes.h"
#include "app/dialogs/new_score_wizard.h"
#include "app/dialogs/wizard_info_page.h"
#include "app/dialogs/wizard_key_tempo_page.h"
#include "app/dialogs/wizard_staff_page.h"
#include "app/dialogs/beat_dlg.h"
#include "app/shell/app_context.h"
#include "app/shell/command_ids.h"
#include "app/shell/document_loader.h"
#include "app/shell/document_paths.h"
#include "app/shell/main_frame.h"
#include "app/mididev/midi_out_device.h"
#include "engine/editor/score_editor.h"
#include "engine/model/barline.h"
#include "platform/command_manager.h"
#include "platform/key_translation.h"
#include "scoredata/score_data.h"
#include "tests/engine/editor/editor_test_score.h"
#include "tests/support/specimen_folder.h"

namespace journeys {

namespace fs = std::filesystem;
using shell_test::Pump;
using shell_test::PumpUntil;
namespace cmd = brindle::cmd;

void ManualClock::Advance(int milliseconds, int step)
{
    for (int done = 0; done < milliseconds && running_; done += step) {
        if (paused_)
            continue;
        elapsed_ += step;
        if (target_)
            target_->OnTick(elapsed_);
    }
}

namespace {

// Selection red: the colour a selected element is drawn in.
bool Red(const QImage& image, int x, int y)
{
    const QColor c = image.pixelColor(x, y);
    return c.red() > 150 && c.green() < 110 && c.blue() < 110;
}

// Ink: dark pixels (small text is light grey, the selection red) that are not the view's
// own blue marks.
bool Ink(const QImage& image, int x, int y)
{
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return false;
    const QColor c = image.pixelColor(x, y);
    const bool blue = c.blue() > c.red() + 60 && c.blue() > c.green() + 60;
    return !blue && (qGray(c.rgb()) < 190 || Red(image, x, y));
}

std::string Describe(QRect r)
{
    std::ostringstream out;
    out << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
    return out.str();
}

// Where two pictures differ (the selection aside): nothing when they are equal, else their sizes or the box of
// the differing pixels and their count; both pictures and the difference are kept in the
// specimen folder under `name`.
std::optional<std::string> Difference(const QImage& a, const QImage& b, const std::string& name)
{
    std::ostringstream out;
    if (a.size() != b.size()) {
        out << "sizes " << a.width() << "x" << a.height() << " and " << b.width() << "x" << b.height();
        return out.str();
    }
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    const int w = x.width();
    const int h = x.height();
    const auto row = [](const QImage& image, int r) { return reinterpret_cast<const QRgb*>(image.constScanLine(r)); };
    // The selection's pixels and their neighbours (its anti-aliased edges): the selected
    // elements in red, the frame of a block of bars in its light blue. The reopened
    // document has nothing selected.
    const auto selected = [](QRgb p) {
        const bool red = qRed(p) - std::max(qGreen(p), qBlue(p)) > 6;
        const bool blockFrame = qBlue(p) > 200 && std::abs(qRed(p) - 100) < 40 && std::abs(qGreen(p) - 100) < 40;
        return red || blockFrame;
    };
    std::vector<char> selection(static_cast<std::size_t>(w * h), 0);
    for (int r = 0; r < h; ++r) {
        const QRgb* line = row(x, r);
        for (int c = 0; c < w; ++c)
            if (selected(line[c]))
                for (int dy = std::max(0, r - 1); dy <= std::min(h - 1, r + 1); ++dy)
                    for (int dx = std::max(0, c - 1); dx <= std::min(w - 1, c + 1); ++dx)
                        selection[static_cast<std::size_t>(dy * w + dx)] = 1;
    }
    QRect box;
    int count = 0;
    for (int r = 0; r < h; ++r) {
        const QRgb* p = row(x, r);
        const QRgb* q = row(y, r);
        for (int c = 0; c < w; ++c)
            if (p[c] != q[c] && !selection[static_cast<std::size_t>(r * w + c)]) {
                ++count;
                box |= QRect(c, r, 1, 1);
            }
    }
    if (count == 0)
        return std::nullopt;
    const fs::path folder = test_support::SpecimenFolder() / "journeys";
    std::error_code error;
    fs::create_directories(folder, error);
    QImage diff = x.copy();
    for (int r = box.top(); r <= box.bottom(); ++r)
        for (int c = box.left(); c <= box.right(); ++c)
            if (row(x, r)[c] != row(y, r)[c] && !selection[static_cast<std::size_t>(r * w + c)])
                diff.setPixel(c, r, qRgb(255, 0, 255));
    x.save(QString::fromStdString((folder / (name + "_shown.png")).string()));
    y.save(QString::fromStdString((folder / (name + "_reopened.png")).string()));
    diff.save(QString::fromStdString((folder / (name + "_diff.png")).string()));
    out << count << " pixels differ in " << Describe(box) << " (pictures in " << folder.string() << ")";
    return out.str();
}

std::string Text(const std::vector<Sounding>& notes)
{
    std::ostringstream out;
    for (const auto& n : notes)
        out << n.key << "@" << n.when << " ";
    return out.str();
}

// Reads a variable-length quantity of a MIDI file.
std::uint32_t ReadVarLen(const std::string& bytes, std::size_t& at)
{
    std::uint32_t value = 0;
    while (at < bytes.size()) {
        const auto byte = static_cast<std::uint8_t>(bytes[at++]);
        value = (value << 7) | (byte & 0x7F);
        if ((byte & 0x80) == 0)
            break;
    }
    return value;
}

std::uint32_t ReadBig(const std::string& bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = 0; i < count && at + static_cast<std::size_t>(i) < bytes.size(); ++i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

// The note-ons of a standard MIDI file, all tracks, at their tick.
std::vector<Sounding> NoteOns(const std::string& bytes)
{
    std::vector<Sounding> notes;
    std::size_t at = 14;
    while (at + 8 <= bytes.size() && bytes.compare(at, 4, "MTrk") == 0) {
        const std::size_t end = std::min(bytes.size(), at + 8 + ReadBig(bytes, at + 4, 4));
        at += 8;
        std::uint32_t tick = 0;
        std::uint8_t status = 0;
        while (at < end) {
            tick += ReadVarLen(bytes, at);
            auto byte = static_cast<std::uint8_t>(bytes[at]);
            if (byte == 0xFF) {
                at += 2;
                at += ReadVarLen(bytes, at);
                continue;
            }
            if (byte == 0xF0 || byte == 0xF7) {
                ++at;
                at += ReadVarLen(bytes, at);
                continue;
            }
            if (byte & 0x80) {
                status = byte;
                ++at;
            }
            const int kind = status & 0xF0;
            const int length = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
            if (kind == 0x90 && at + 1 < end && bytes[at + 1] != 0)
                notes.push_back({static_cast<int>(tick), static_cast<std::uint8_t>(bytes[at])});
            at += static_cast<std::size_t>(length);
        }
        at = end;
    }
    return notes;
}

// Time order, and key order among notes struck together.
void Order(std::vector<Sounding>& notes)
{
    std::stable_sort(notes.begin(), notes.end(),
                     [](const Sounding& a, const Sounding& b) { return std::tie(a.when, a.key) < std::tie(b.when, b.key); });
}

std::vector<int> Keys(const std::vector<Sounding>& notes)
{
    std::vector<int> keys;
    for (const auto& n : notes)
        keys.push_back(n.key);
    return keys;
}

}  // namespace

// A view of its own with an editor of its own, as a second start of the program would
// show a document: the document opened from its file and shown at a given zoom and page.
class ReopenedView {
public:
    explicit ReopenedView(const fs::path& data, QSize size)
    {
        view_->UseEditor(editor_);
        view_->SetDataFolder(brindle::PathText(data));
        view_->resize(size);
        view_->Create();
        view_->InitialUpdate();
        Pump();
    }
    ~ReopenedView()
    {
        // The view goes first, still on its own editor: a view without one would let go of
        // the program's editor instead.
        view_->WaitForDocumentWorker();
        Pump();
        view_.reset();
        quaverly::api::DestroyEditor(editor_);
    }
    ReopenedView(const ReopenedView&) = delete;
    ReopenedView& operator=(const ReopenedView&) = delete;

    bool Open(const fs::path& file, int zoomIndex, int page)
    {
        if (!view_->OpenScoreFile(brindle::PathText(file)))
            return false;
        if (!PumpUntil([&] { return view_->HasScore() && !view_->m_bLoading; }, 15000))
            return false;
        while (view_->ZoomIndex() > zoomIndex)
            view_->ZoomOut();
        while (view_->ZoomIndex() < zoomIndex)
            view_->ZoomIn();
        editor_->SetCurrentPage(page);
        view_->SetCurrentPage(page);
        return true;
    }
    QImage Page()
    {
        for (int i = 0; i < 6; ++i) {
            Pump();
            view_->RequestPageRender();
            (void)view_->viewport()->grab();
            if (view_->PendingRenders() == 0 && !view_->IsPageBitmapStale())
                break;
        }
        return view_->PageBitmap().copy();
    }
    // Laid out again from the first page, as the refresh command does.
    void LayOutAgain()
    {
        view_->OnCommand(cmd::kRefreshLayout);
        Pump();
    }
    brindle::CBrindleView& View() { return *view_; }

private:
    quaverly::api::ScoreEditor* editor_ = create_quaverly_editor();
    std::unique_ptr<brindle::CBrindleView> view_ = std::make_unique<brindle::CBrindleView>();
};

JourneyDriver::JourneyDriver()
{
    StartProgram();
}

JourneyDriver::~JourneyDriver()
{
    if (app_) {
        View().WaitForDocumentWorker();
        app_->ExitInstance();
    }
}

void JourneyDriver::StartProgram()
{
    data_ = shell_test::CopyDataFolder(folder_.Path(), {"fonts", "settings", "lists", "dtd", "help"});
    // The user chose the first output port before: the program opens it at start.
    const fs::path options = data_ / "settings" / "Option.ini";
    std::string text = TempFolder::Read(options);
    const std::string chosen = "Midi Out Device=-1";
    if (const auto at = text.find(chosen); at != std::string::npos)
        text.replace(at, chosen.size(), "Midi Out Device=0");
    TempFolder::Write(options, text);
    backend_.outputs = {u"Port A"};
    app_ = std::make_unique<brindle::CBrindleApp>(shell_test::TestAppOptions(folder_.Path(), data_, &backend_));
    if (!app_->InitInstance({})) {
        ADD_FAILURE() << "the program did not start";
        return;
    }
    Pump();
    if (!PumpUntil([this] { return !app_->GetActiveView()->IsCheckingMidiOut(); }))
        ADD_FAILURE() << "the output's opening at start-up did not end";
    // A window large enough for the page at the normal zoom.
    app_->GetMainWnd()->resize(1400, 1700);
    Pump();
    brindle::AppContext* context = brindle::AppContext::Instance();
    context->GetPlayer()->SetClock(&clock_);
    clock_.SetTarget(context->GetPlayer());
    NoteHistory();
}

quaverly::ScoreEditor& JourneyDriver::Editor()
{
    return *static_cast<quaverly::ScoreEditor*>(View().Editor());
}

std::size_t JourneyDriver::UndoCount()
{
    return Editor().history.UndoCount();
}

std::size_t JourneyDriver::RedoCount()
{
    return Editor().history.RedoCount();
}

bool JourneyDriver::HistoryFull()
{
    return UndoCount() >= quaverly::UndoHistory::kMaxUndoSteps;
}

void JourneyDriver::NoteHistory()
{
    if (!View().HasScore()) {
        history_ = {0, 0};
        return;
    }
    const std::pair<std::size_t, std::size_t> now{UndoCount(), RedoCount()};
    if (now != history_ || (HistoryFull() && View().IsModified()))
        changedSinceSave_ = true;
    history_ = now;
}

// ---- actions ---------------------------------------------------------------------------

void JourneyDriver::Settle()
{
    for (int i = 0; i < 60; ++i) {
        Pump();
        if (View().PendingRenders() > 0 || View().IsPageBitmapStale())
            (void)View().viewport()->grab();
        else if (View().QueuedInputCount() == 0 && !View().IsEditorBusy() && !View().m_bLoading)
            return;
    }
}

void JourneyDriver::NewScore(const NewScoreAnswers& answers)
{
    if (View().IsModified())
        dialogs_.AnswerMessageBox(platform::kIdNo);
    dialogs_.AnswerModal([answers](platform::DialogBase& dialog) {
        auto& wizard = static_cast<brindle::CNewScoreWizard&>(dialog);
        static_cast<brindle::CWizardInfoPage*>(wizard.GetPage(0))
            ->SetDlgItemText(brindle::CWizardInfoPage::kIdTitle, answers.title);
        static_cast<brindle::CWizardStaffPage*>(wizard.GetPage(1))->StaffTypeList()->setCurrentRow(answers.staffType);
        // The "I" button pressed as the user presses it: it is checked in its group, and
        // it opens the time-signature dialog.
        if (answers.beats > 0)
            if (auto* other = qobject_cast<QAbstractButton*>(static_cast<platform::DialogBase*>(wizard.GetPage(2))
                                                                  ->GetDlgItem(brindle::CWizardKeyTempoPage::kIdOtherBeat)))
                other->click();
        wizard.ClickButton(platform::kIdOk);
    });
    if (answers.beats > 0)
        dialogs_.AnswerModal([answers](platform::DialogBase& dialog) {
            FillAndOk(dialog, {{brindle::CBeatDlg::kIdBeatsBox, std::u16string(1, static_cast<char16_t>(u'0' + answers.beats))},
                               {brindle::CBeatDlg::kIdBeatTypeBox, brindle::PathText(std::to_string(answers.beatType))}});
        });
    Command(cmd::kFileNew);
    // An answer the program never asked for goes with the journey's step.
    unansweredSteps_ = dialogs_.PendingSteps();
    dialogs_.DropPendingSteps();
    Settle();
    documentPath_.clear();
    // A new score counts as modified until it is saved: its first save asks for a name.
    changedSinceSave_ = true;
    history_ = {UndoCount(), RedoCount()};
}

bool JourneyDriver::Open(const fs::path& file)
{
    if (View().IsModified())
        dialogs_.AnswerMessageBox(platform::kIdNo);
    dialogs_.ChooseFile(brindle::PathText(file));
    Command(cmd::kFileOpen);
    const bool shown = PumpUntil([&] { return View().HasScore() && !View().m_bLoading; }, 15000);
    Settle();
    documentPath_ = file;
    changedSinceSave_ = false;
    history_ = {UndoCount(), RedoCount()};
    return shown;
}

void JourneyDriver::Key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    // Synthetic events leave the window system's modifier state alone: held as the
    // program reads it while the event is handled.
    const platform::ScopedModifierState held(platform::ModifierMask(modifiers));
    QWidget* target = &View();
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &release);
    Settle();
    NoteHistory();
}

void JourneyDriver::Type(std::string_view keys)
{
    static const std::map<std::string, Qt::Key> named = {
        {"Left", Qt::Key_Left},   {"Right", Qt::Key_Right}, {"Up", Qt::Key_Up},         {"Down", Qt::Key_Down},
        {"Home", Qt::Key_Home},   {"End", Qt::Key_End},     {"Del", Qt::Key_Delete},    {"Back", Qt::Key_Backspace},
        {"Enter", Qt::Key_Return}, {"Esc", Qt::Key_Escape}, {"Space", Qt::Key_Space},   {".", Qt::Key_Period},
        {"'", Qt::Key_Apostrophe}, {",", Qt::Key_Comma},    {"kp+", Qt::Key_Plus},      {"kp-", Qt::Key_Minus},
    };
    std::istringstream in{std::string(keys)};
    std::string word;
    while (in >> word) {
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
        for (const auto& [prefix, modifier] : {std::pair{std::string("Shift+"), Qt::ShiftModifier},
                                               std::pair{std::string("Ctrl+"), Qt::ControlModifier}})
            if (word.rfind(prefix, 0) == 0 && word.size() > prefix.size()) {
                modifiers |= modifier;
                word = word.substr(prefix.size());
            }
        Qt::Key key = Qt::Key_unknown;
        if (const auto it = named.find(word); it != named.end()) {
            key = it->second;
            if (word.rfind("kp", 0) == 0)
                modifiers |= Qt::KeypadModifier;
        } else if (word.size() == 3 && word.rfind("kp", 0) == 0 && std::isdigit(static_cast<unsigned char>(word[2]))) {
            key = static_cast<Qt::Key>(Qt::Key_0 + (word[2] - '0'));
            modifiers |= Qt::KeypadModifier;
        } else if (word.size() >= 2 && word[0] == 'F' && std::isdigit(static_cast<unsigned char>(word[1]))) {
            key = static_cast<Qt::Key>(Qt::Key_F1 + std::stoi(word.substr(1)) - 1);
        } else if (word.size() == 1 && std::isdigit(static_cast<unsigned char>(word[0]))) {
            key = static_cast<Qt::Key>(Qt::Key_0 + (word[0] - '0'));
        } else if (word.size() == 1 && std::isalpha(static_cast<unsigned char>(word[0]))) {
            key = static_cast<Qt::Key>(Qt::Key_A + (std::toupper(static_cast<unsigned char>(word[0])) - 'A'));
        } else {
            ADD_FAILURE() << "no such key in a journey: " << word;
            continue;
        }
        Key(key, modifiers);
    }
}

bool JourneyDriver::Command(int id)
{
    platform::CommandManager& commands = app_->GetMainWnd()->Commands();
    const bool ran = commands.Execute(id);
    Settle();
    NoteHistory();
    return ran;
}

void JourneyDriver::Undo()
{
    Command(cmd::kEditUndo);
}

void JourneyDriver::Redo()
{
    Command(cmd::kEditRedo);
}

bool JourneyDriver::Save(const fs::path& file)
{
    if (View().DocumentPath().empty())
        dialogs_.ChooseFile(brindle::PathText(file));
    const bool ran = Command(cmd::kFileSave);
    if (ran && !View().IsModified()) {
        documentPath_ = file;
        changedSinceSave_ = false;
    }
    return ran && !View().IsModified();
}

void JourneyDriver::SetZoomIndex(int index)
{
    while (View().ZoomIndex() > index && Command(cmd::kZoomOut)) {
    }
    while (View().ZoomIndex() < index && Command(cmd::kZoomIn)) {
    }
}

QPoint JourneyDriver::ToWindow(QPoint pagePixel)
{
    brindle::CBrindleView& view = View();
    const QSize client = view.viewport()->size();
    platform::Rect page = view.PageRect();
    QPoint at(page.left + pagePixel.x(), page.top + pagePixel.y());
    // Scrolled as the user would, so that the pixel is well inside the window.
    if (at.x() < 20 || at.x() > client.width() - 20)
        view.ScrollToPosition(platform::kSbHorz, std::max(0, pagePixel.x() - client.width() / 2));
    if (at.y() < 20 || at.y() > client.height() - 20)
        view.ScrollToPosition(platform::kSbVert, std::max(0, pagePixel.y() - client.height() / 2));
    page = view.PageRect();
    return {page.left + pagePixel.x(), page.top + pagePixel.y()};
}

void JourneyDriver::Press(QPoint window, int type, Qt::MouseButtons held, Qt::KeyboardModifiers modifiers)
{
    QWidget* viewport = View().viewport();
    const QPointF local(window);
    const auto kind = static_cast<QEvent::Type>(type);
    const platform::ScopedModifierState state(platform::ModifierMask(modifiers));
    QMouseEvent event(kind, local, viewport->mapToGlobal(local), kind == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      held, modifiers);
    QApplication::sendEvent(viewport, &event);
}

void JourneyDriver::ClickPage(QPoint pagePixel, Qt::KeyboardModifiers modifiers)
{
    const QPoint at = ToWindow(pagePixel);
    Press(at, QEvent::MouseButtonPress, Qt::LeftButton, modifiers);
    Press(at, QEvent::MouseButtonRelease, Qt::NoButton, modifiers);
    Settle();
    NoteHistory();
}

void JourneyDriver::DoubleClickPage(QPoint pagePixel)
{
    const QPoint at = ToWindow(pagePixel);
    Press(at, QEvent::MouseButtonPress, Qt::LeftButton, Qt::NoModifier);
    Press(at, QEvent::MouseButtonRelease, Qt::NoButton, Qt::NoModifier);
    Press(at, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::NoModifier);
    Press(at, QEvent::MouseButtonRelease, Qt::NoButton, Qt::NoModifier);
    Settle();
    NoteHistory();
}

void JourneyDriver::DragPage(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers)
{
    const QPoint start = ToWindow(from);
    const QPoint end = start + (to - from);
    Press(start, QEvent::MouseButtonPress, Qt::LeftButton, modifiers);
    for (int step = 1; step <= 6; ++step)
        Press(start + (end - start) * step / 6, QEvent::MouseMove, Qt::LeftButton, modifiers);
    Press(end, QEvent::MouseButtonRelease, Qt::NoButton, modifiers);
    Settle();
    NoteHistory();
}

QPoint JourneyDriver::PagePixel(quaverly::Point scorePoint) const
{
    auto& view = const_cast<JourneyDriver*>(this)->View();
    const platform::Point window = view.ScoreToWindow(scorePoint.x, scorePoint.y);
    const platform::Rect page = view.PageRect();
    return {window.x - page.left, window.y - page.top};
}

std::optional<QPoint> JourneyDriver::InkMiddle(const quaverly::Rect& r) const
{
    const QImage& page = const_cast<JourneyDriver*>(this)->View().PageBitmap();
    const QPoint a = PagePixel({r.left, r.top});
    const QPoint b = PagePixel({r.right, r.bottom});
    QRect box;
    std::vector<QPoint> ink;
    for (int y = a.y() - 1; y <= b.y() + 1; ++y)
        for (int x = a.x() - 1; x <= b.x() + 1; ++x)
            if (Ink(page, x, y)) {
                ink.emplace_back(x, y);
                box |= QRect(x, y, 1, 1);
            }
    if (ink.empty())
        return std::nullopt;
    const QPoint middle = box.center();
    return *std::min_element(ink.begin(), ink.end(), [&](QPoint p, QPoint q) {
        return (p - middle).manhattanLength() < (q - middle).manhattanLength();
    });
}

quaverly::Rect JourneyDriver::DrawnBox(const shell_test::Target& target)
{
    return shell_test::Placed(*target.element);
}

namespace {

// The bar `bar` of the first part as laid out on the current page, and its notes.
std::shared_ptr<quaverly::Bar> LaidOutBar(quaverly::ScoreEditor& editor, int bar)
{
    for (const shell_test::Target& t : shell_test::PageTargets(editor))
        if (t.name.rfind("bar", 0) == 0 && t.name.find(" t0 ") != std::string::npos)
            if (auto b = std::dynamic_pointer_cast<quaverly::Bar>(t.element); b && b->GetIndex() == bar)
                return b;
    return nullptr;
}

}  // namespace

std::shared_ptr<quaverly::Bar> JourneyDriver::ShowBar(int bar)
{
    Settle();
    if (auto shown = LaidOutBar(Editor(), bar))
        return shown;
    // The pages turned as the user turns them, from the first.
    Command(cmd::kFirstPage);
    for (int page = 0; page <= Editor().GetLastPageIndex(); ++page) {
        if (auto shown = LaidOutBar(Editor(), bar))
            return shown;
        Command(cmd::kNextPage);
    }
    return nullptr;
}

bool JourneyDriver::ClickNote(int bar, int note, Qt::KeyboardModifiers modifiers)
{
    const auto laidOut = ShowBar(bar);
    if (!laidOut || laidOut->GetNotes().empty())
        return false;
    const auto& notes = laidOut->GetNotes();
    const std::size_t index = note < 0 ? notes.size() - 1 : static_cast<std::size_t>(note);
    if (index >= notes.size())
        return false;
    const auto at = InkMiddle(shell_test::Placed(*notes[index]));
    if (!at)
        return false;
    ClickPage(*at, modifiers);
    return true;
}

std::optional<QPoint> JourneyDriver::BarSpace(int bar)
{
    const auto laidOut = ShowBar(bar);
    if (!laidOut)
        return std::nullopt;
    // Below the notes, inside the bar: its own space.
    const quaverly::Rect r = shell_test::Placed(*laidOut);
    std::optional<quaverly::Point> point;
    for (int y = r.bottom - 10; y > r.top && !point; y -= 20)
        for (int x = r.left + 40; x < r.right - 40 && !point; x += 30) {
            bool onNote = false;
            for (const auto& n : laidOut->GetNotes()) {
                const quaverly::Rect nr = shell_test::Placed(*n);
                onNote = onNote || (x >= nr.left - 30 && x <= nr.right + 30 && y >= nr.top - 30 && y <= nr.bottom + 30);
            }
            if (!onNote && laidOut->HitTest({x, y}))
                point = quaverly::Point{x, y};
        }
    if (!point)
        return std::nullopt;
    return PagePixel(*point);
}

bool JourneyDriver::ClickBar(int bar, Qt::KeyboardModifiers modifiers)
{
    const auto at = BarSpace(bar);
    if (!at)
        return false;
    ClickPage(*at, modifiers);
    return true;
}

bool JourneyDriver::DoubleClickBar(int bar)
{
    const auto at = BarSpace(bar);
    if (!at)
        return false;
    DoubleClickPage(*at);
    return true;
}

bool JourneyDriver::SelectBars(int first, int last)
{
    return DoubleClickBar(first) && (last == first || ClickBar(last, Qt::ControlModifier));
}

bool JourneyDriver::SelectNotes(int bar, int first, int last)
{
    if (!ClickNote(bar, first))
        return false;
    for (int note = first + 1; note <= last; ++note)
        if (!ClickNote(bar, note, Qt::ControlModifier))
            return false;
    return true;
}

void JourneyDriver::FillAndOk(platform::DialogBase& dialog, const std::vector<std::pair<int, std::u16string>>& fields)
{
    for (const auto& [id, text] : fields)
        dialog.SetDlgItemText(id, text);
    dialog.ClickButton(platform::kIdOk);
}

// ---- what the checks compare -----------------------------------------------------------

std::string JourneyDriver::SavedBytes()
{
    Settle();
    const fs::path file = folder_.Path() / ("check-" + std::to_string(checkFiles_++) + ".exl");
    if (!View().WriteScore(brindle::PathText(file))) {
        ADD_FAILURE() << "the score could not be written to " << file.string();
        return {};
    }
    return TempFolder::Read(file);
}

QImage JourneyDriver::ShownPage()
{
    Settle();
    if (View().IsPageBitmapStale() || View().PendingRenders() > 0)
        (void)View().viewport()->grab();
    return View().PageBitmap().copy();
}

std::vector<Sounding> JourneyDriver::ScoreNotes(int fromBar)
{
    const brindle::ScoreDataPtr data = brindle::ExportScore(Editor());
    // The later notes of a tie sound as part of the first.
    std::set<std::pair<int, int>> continued;
    const quaverly::Score& score = *Editor().score;
    for (int p = 0; p < score.GetChildCount(); ++p)
        if (const auto part = quaverly::editor_test::PartOf(score, p))
            for (int b = 0; b < part->GetChildCount(); ++b)
                if (const auto bar = quaverly::editor_test::BarOf(score, p, b))
                    for (const auto& note : bar->GetNotes())
                        if (note->GetTiedFrom())
                            continued.insert({b, note->GetStartTime()});
    std::vector<Sounding> notes;
    for (int id : data->GetStaveIds())
        for (int staff : data->GetStave(id)->GetStaffIds())
            for (const tabulon::NoteRecord& note : data->GetStave(id)->GetStaff(staff)->GetNotes())
                if (note.bar >= fromBar && note.pitch > 0 && !continued.count({note.bar, note.offset}))
                    notes.push_back({note.bar * 1000000 + note.offset, note.pitch});
    Order(notes);
    return notes;
}

bool JourneyDriver::HasOverfullBar()
{
    constexpr int kWhole = 4 * 161280;
    const brindle::ScoreDataPtr data = brindle::ExportScore(Editor());
    const quaverly::Score& score = *Editor().score;
    for (int id : data->GetStaveIds())
        for (int staff : data->GetStave(id)->GetStaffIds())
            for (const tabulon::NoteRecord& note : data->GetStave(id)->GetStaff(staff)->GetNotes()) {
                const auto metre = score.FindTimeSignature(note.bar);
                const int length = metre ? kWhole / metre->beatType * metre->beats : kWhole;
                if (note.offset + note.SoundingLength() > length)
                    return true;
            }
    return false;
}

std::vector<Sounding> JourneyDriver::PlayFromCursor(int limitMs)
{
    Settle();
    backend_.ClearSent();
    // The song is built from this view's score (a reopened view may have built the shared
    // song last).
    View().BuildPlaybackData();
    Command(cmd::kPlay);
    std::vector<Sounding> heard;
    std::size_t seen = 0;
    int elapsed = 0;
    while (clock_.Running() && elapsed < limitMs) {
        clock_.Advance(10);
        elapsed += 10;
        const auto sent = backend_.Sent();
        for (; seen < sent.size(); ++seen) {
            const auto& bytes = sent[seen];
            if (bytes.size() >= 3 && (bytes[0] & 0xF0) == 0x90 && bytes[2] != 0)
                heard.push_back({elapsed, bytes[1]});
        }
    }
    if (View().IsPlaying())
        Command(cmd::kStop);
    Settle();
    Order(heard);
    return heard;
}

std::vector<Sounding> JourneyDriver::ExportedMidiNotes()
{
    const fs::path file = folder_.Path() / ("export-" + std::to_string(checkFiles_++) + ".mid");
    dialogs_.ChooseFile(brindle::PathText(file));
    Command(cmd::kExportMidi);
    auto notes = NoteOns(TempFolder::Read(file));
    Order(notes);
    return notes;
}

// ---- the checks ------------------------------------------------------------------------

testing::AssertionResult JourneyDriver::ScreenMatchesReopened()
{
    if (!View().HasScore())
        return testing::AssertionSuccess();
    const QImage shown = ShownPage();
    const std::string bytes = SavedBytes();
    const fs::path file = folder_.Path() / ("reopen-" + std::to_string(checkFiles_++) + ".exl");
    TempFolder::Write(file, bytes);
    ReopenedView again(data_, View().size());
    if (!again.Open(file, View().ZoomIndex(), View().CurrentPage()))
        return testing::AssertionFailure() << "the saved document does not open again";
    const std::string name = "page-" + std::to_string(checkFiles_);
    if (const auto difference = Difference(shown, again.Page(), name))
        return testing::AssertionFailure() << "the shown page and the page of the saved document opened again differ: "
                                           << *difference;
    const fs::path resaved = folder_.Path() / ("resaved-" + std::to_string(checkFiles_++) + ".exl");
    if (!again.View().WriteScore(brindle::PathText(resaved)))
        return testing::AssertionFailure() << "the reopened document cannot be saved";
    if (TempFolder::Read(resaved) != bytes)
        return testing::AssertionFailure() << "saving, opening and saving again changes the file (" << file.string()
                                           << " and " << resaved.string() << ")";
    again.LayOutAgain();
    if (const auto difference = Difference(shown, again.Page(), name + "-laid-out"))
        return testing::AssertionFailure() << "the shown page and the page laid out again from scratch differ: "
                                           << *difference;
    return testing::AssertionSuccess();
}

testing::AssertionResult JourneyDriver::PageShownAsBefore(int page, const QImage& before)
{
    Command(cmd::kFirstPage);
    while (View().CurrentPage() < page && Command(cmd::kNextPage)) {
    }
    if (View().CurrentPage() != page)
        return testing::AssertionFailure() << "page " << page << " is not shown";
    if (const auto difference = Difference(before, ShownPage(), "page-" + std::to_string(checkFiles_++) + "-before"))
        return testing::AssertionFailure() << "page " << page << " differs from the picture taken before: " << *difference;
    return testing::AssertionSuccess();
}

testing::AssertionResult JourneyDriver::DrawnElementsTakePresses(bool withMarks)
{
    if (!View().HasScore())
        return testing::AssertionSuccess();
    (void)ShownPage();
    const std::vector<shell_test::Target> targets = shell_test::PageTargets(Editor(), withMarks);
    std::ostringstream misses;
    int missed = 0;
    for (const shell_test::Target& target : targets) {
        if (target.name.rfind("bar", 0) == 0)
            continue;
        // What is not drawn (an empty heading) takes no press.
        const auto at = InkMiddle(DrawnBox(target));
        if (!at)
            continue;
        ClickPage(*at);
        const quaverly::Point back = View().WindowToScore(ToWindow(*at).x(), ToWindow(*at).y());
        // Where boxes overlap (a slur over its notes), the press goes to one of those under it.
        const auto taken = std::find_if(targets.begin(), targets.end(), [&](const shell_test::Target& other) {
            return other.name.rfind("bar", 0) != 0 && other.element->GetState() == quaverly::element_state::kSelected &&
                   other.element->HitTest(back);
        });
        if (taken == targets.end()) {
            ++missed;
            misses << target.name << ": a press at its ink (" << at->x() << "," << at->y() << ") selects nothing under it; ";
            continue;
        }
        const QImage page = ShownPage();
        const quaverly::Rect box = DrawnBox(*taken);
        const QPoint a = PagePixel({box.left, box.top});
        const QPoint b = PagePixel({box.right, box.bottom});
        bool red = false;
        for (int y = a.y() - 2; y <= b.y() + 2 && !red; ++y)
            for (int x = a.x() - 2; x <= b.x() + 2 && !red; ++x)
                red = x >= 0 && y >= 0 && x < page.width() && y < page.height() && Red(page, x, y);
        if (!red) {
            ++missed;
            misses << taken->name << ": selected but not drawn selected; ";
        }
    }
    if (missed > 0)
        return testing::AssertionFailure() << missed << " of " << targets.size() << " elements: " << misses.str();
    return testing::AssertionSuccess();
}

testing::AssertionResult JourneyDriver::ModifiedMarkIsRight()
{
    if (!View().HasScore())
        return testing::AssertionSuccess();
    if (View().IsModified() != changedSinceSave_)
        return testing::AssertionFailure() << (changedSinceSave_ ? "a step was recorded since the last save, but the score is not marked modified"
                                                                 : "nothing was recorded since the last save, but the score is marked modified")
                                           << " (undo " << UndoCount() << ", redo " << RedoCount() << ")";
    return testing::AssertionSuccess();
}

testing::AssertionResult JourneyDriver::UndoAllAndRedoAll(const std::string& start, const std::string& end)
{
    // What was undone before stays to be redone after the steps redone here.
    const std::size_t redoBefore = RedoCount();
    std::size_t steps = 0;
    while (Editor().CanUndo() && steps < quaverly::UndoHistory::kMaxUndoSteps + 1) {
        Undo();
        ++steps;
    }
    if (SavedBytes() != start)
        return testing::AssertionFailure() << "after undoing all " << steps << " steps the document differs from the one at the start";
    if (auto screen = ScreenMatchesReopened(); !screen)
        return testing::AssertionFailure() << "after undoing all steps: " << screen.message();
    for (std::size_t i = 0; i < steps; ++i)
        Redo();
    if (RedoCount() != redoBefore)
        return testing::AssertionFailure() << "after redoing " << steps << " steps " << RedoCount()
                                           << " are left to redo instead of " << redoBefore;
    if (SavedBytes() != end)
        return testing::AssertionFailure() << "after redoing all " << steps << " steps the document differs from the one at the end";
    if (auto screen = ScreenMatchesReopened(); !screen)
        return testing::AssertionFailure() << "after redoing all steps: " << screen.message();
    return testing::AssertionSuccess();
}

std::vector<Sounding> JourneyDriver::NotesUpToTheFirstRepeat(int fromBar)
{
    std::vector<Sounding> expected = ScoreNotes(fromBar);
    const quaverly::Score& score = *Editor().score;
    for (int b = fromBar; b < Editor().GetBarCount(); ++b)
        if (const auto bar = quaverly::editor_test::BarOf(score, 0, b);
            bar && bar->GetBarline(1) && bar->GetBarline(1)->GetMarkValue() == 2) {
            std::erase_if(expected, [b](const Sounding& n) { return n.when >= (b + 1) * 1000000; });
            break;
        }
    return expected;
}

std::vector<Sounding> JourneyDriver::NotesFromTheCursor(int bar)
{
    // Play starts at the cursor's place in its bar: where the press put it (a press left of
    // a dragged note may fall after it).
    std::vector<Sounding> expected = NotesUpToTheFirstRepeat(bar);
    const int from = bar * 1000000 + Editor().cursor.timeInBar;
    std::erase_if(expected, [from](const Sounding& n) { return n.when < from; });
    return expected;
}

bool JourneyDriver::PlayStartsAtTheCursor(int bar)
{
    if (NotesUpToTheFirstRepeat(bar).empty() || !ClickBar(bar))
        return true;
    const std::vector<Sounding> expected = NotesFromTheCursor(bar);
    if (expected.empty())
        return true;
    const std::vector<Sounding> heard = PlayFromCursor();
    return !heard.empty() && heard.front().key == expected.front().key;
}

testing::AssertionResult JourneyDriver::PlaybackFollowsTheScore(int fromBar)
{
    if (!ClickBar(fromBar))
        return testing::AssertionFailure() << "bar " << fromBar << " is not on the page";
    const std::vector<Sounding> expected = NotesFromTheCursor(fromBar);
    const std::vector<Sounding> heard = PlayFromCursor();
    std::vector<int> want = Keys(expected);
    std::vector<int> got = Keys(heard);
    if (got.size() >= want.size() && HasOverfullBar()) {
        // What does not fit its bar sounds into the next bar's time: the same notes, in
        // another order.
        got.resize(want.size());
        std::sort(want.begin(), want.end());
        std::sort(got.begin(), got.end());
    }
    if (got.size() < want.size() || !std::equal(want.begin(), want.end(), got.begin()))
        return testing::AssertionFailure() << "played from bar " << fromBar << ": " << Text(heard)
                                           << "\nthe score from the cursor (" << Editor().cursor.timeInBar
                                           << " in the bar): " << Text(expected);
    return testing::AssertionSuccess();
}

testing::AssertionResult JourneyDriver::MidiExportHoldsTheScore()
{
    if (!View().HasScore())
        return testing::AssertionSuccess();
    // Every note of the score up to the first repeat is in the file (a repeat plays some
    // again; an overfull bar's last notes sound into the next bar's time).
    const std::vector<Sounding> expected = NotesUpToTheFirstRepeat(0);
    const std::vector<Sounding> exported = ExportedMidiNotes();
    std::vector<int> want = Keys(expected);
    std::vector<int> got = Keys(exported);
    std::sort(want.begin(), want.end());
    std::sort(got.begin(), got.end());
    if (!std::includes(got.begin(), got.end(), want.begin(), want.end()))
        return testing::AssertionFailure() << "the MIDI export: " << Text(exported) << "\nthe score: " << Text(expected);
    return testing::AssertionSuccess();
}

}  // namespace journeys
