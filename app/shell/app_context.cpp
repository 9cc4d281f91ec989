#include "app/shell/app_context.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>

#include "app/mididev/metronome.h"
#include "app/mididev/midi_backend.h"
#include "app/mididev/midi_in_device.h"
#include "app/mididev/midi_out_device.h"
#include "app/mididev/multimedia_timer.h"
#include "app/settings/profile_file.h"
#include "engine/editor/editor_interface.h"

namespace brindle {

namespace {

AppContext* g_context = nullptr;

// The metronome's clicks (General MIDI percussion): a high wood block on the first
// beat of a bar, a low one on the others.
constexpr int kDownbeatNote = 34;
constexpr int kDownbeatVelocity = 100;
constexpr int kBeatNote = 33;
constexpr int kBeatVelocity = 80;

// The view's four cursors, 24 x 24, drawn once for the process. Without a GUI there is
// nothing to draw them on, and the keys stay null.
QPixmap DrawCursorImage(int key)
{
    QPixmap image(24, 24);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.2));
    switch (key) {
    case AppContext::kCursorArrow: {
        const QPointF arrow[] = {{8, 2}, {8, 19}, {12, 15}, {15, 22}, {17.5, 21}, {14.5, 14}, {20, 14}};
        p.setBrush(Qt::white);
        p.drawPolygon(arrow, 7);
        break;
    }
    case AppContext::kCursorEraser: {
        p.translate(12, 12);
        p.rotate(-35);
        p.setBrush(QColor(240, 120, 140));
        p.drawRect(QRectF(-9, -4, 11, 9));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2, -4, 7, 9));
        break;
    }
    default: {
        // Open hand: spread fingers; closed hand: a fist.
        const bool closed = key == AppContext::kCursorClosedHand;
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(6, 10, 13, 11), 4, 4);
        const int fingers = 4;
        for (int i = 0; i < fingers; ++i) {
            const double x = 6.5 + i * 3.2;
            const double top = closed ? 8 : 2 + (i == 0 || i == 3 ? 2 : 0);
            p.drawRoundedRect(QRectF(x, top, 3, 12 - top + 2), 1.5, 1.5);
        }
        if (!closed)
            p.drawRoundedRect(QRectF(2, 11, 6, 3), 1.5, 1.5);
        break;
    }
    }
    return image;
}

CursorHandle LoadCursorResource(int key)
{
    struct Hotspot {
        int x;
        int y;
    };
    static const Hotspot hotspots[] = {{8, 2}, {7, 5}, {13, 13}, {13, 13}};
    static std::map<int, std::unique_ptr<QCursor>> cursors;
    if (key < 0 || key > 3 || qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return nullptr;
    auto& cursor = cursors[key];
    if (!cursor)
        cursor = std::make_unique<QCursor>(DrawCursorImage(key), hotspots[key].x, hotspots[key].y);
    return cursor.get();
}

}  // namespace

quaverly::api::ScoreEditor* CreateScoreEditor()
{
    return create_quaverly_editor();
}

void DestroyScoreEditor(quaverly::api::ScoreEditor* editor)
{
    quaverly::api::DestroyEditor(editor);
}

AppContext* AppContext::Create()
{
    Destroy();
    g_context = new AppContext();
    return g_context;
}

AppContext* AppContext::Instance()
{
    return g_context;
}

void AppContext::Destroy()
{
    // Cleared first, so nothing finds a context that is going away.
    AppContext* context = g_context;
    g_context = nullptr;
    delete context;
}

bool AppContext::Init(const AppContextFactories& factories)
{
    missing_.clear();
    destroyEditor_ = factories.destroyEditor;

    m_pSettings = std::make_shared<ProfileFile>();

    m_pEditor = factories.createEditor ? factories.createEditor() : nullptr;
    if (m_pEditor == nullptr)
        missing_.push_back(u"乐谱编辑器");

    if (factories.midiBackend) {
        m_pMidiIn = new MidiInDevice(*factories.midiBackend);
        m_pMidiOut = new MidiOutDevice(*factories.midiBackend);
    } else {
        m_pMidiIn = new MidiInDevice();
        m_pMidiOut = new MidiOutDevice();
    }

    m_pPlayer = factories.createPlayer ? factories.createPlayer() : nullptr;
    if (m_pPlayer == nullptr)
        missing_.push_back(u"MIDI播放器");
    m_pPlayerTimer = new MultimediaTimer(m_pPlayer);

    m_pMidiData = factories.createMidiData ? factories.createMidiData() : nullptr;
    if (m_pMidiData == nullptr)
        missing_.push_back(u"MIDI数据");

    if (m_pPlayer) {
        m_pPlayer->SetClock(m_pPlayerTimer);
        m_pPlayer->SetMidiData(m_pMidiData);
        m_pPlayer->SetOutput(m_pMidiOut);
    }

    m_pMetronome = new Metronome();
    m_pMetronomeTimer = new MultimediaTimer(m_pMetronome);
    m_pMetronome->SetTimer(m_pMetronomeTimer);
    m_pMetronome->SetDownbeatSound(kDownbeatNote, kDownbeatVelocity);
    m_pMetronome->SetBeatSound(kBeatNote, kBeatVelocity);

    for (int key = kCursorArrow; key <= kCursorClosedHand; ++key)
        m_cursors[key] = LoadCursorResource(key);

    return missing_.empty();
}

void AppContext::StopTimers()
{
    // A timer's thread calls into the player or the metronome, and through them into
    // the output device: both threads end before any of those goes.
    if (m_pMetronome)
        m_pMetronome->Stop();
    if (m_pMetronomeTimer)
        m_pMetronomeTimer->Stop();
    if (m_pPlayerTimer)
        m_pPlayerTimer->Stop();
}

AppContext::~AppContext()
{
    StopTimers();

    delete m_pMidiIn;
    m_pMidiIn = nullptr;
    // The player still holds the output: detach it before the device goes.
    if (m_pPlayer)
        m_pPlayer->SetOutput(nullptr);
    if (m_pMetronome)
        m_pMetronome->SetOutput(nullptr);
    delete m_pMidiOut;
    m_pMidiOut = nullptr;

    delete m_pPlayerTimer;
    m_pPlayerTimer = nullptr;
    if (m_pPlayer)
        m_pPlayer->Release();
    m_pPlayer = nullptr;
    if (m_pMidiData)
        m_pMidiData->Release();
    m_pMidiData = nullptr;

    if (m_pEditor && destroyEditor_)
        destroyEditor_(m_pEditor);
    m_pEditor = nullptr;

    delete m_pMetronomeTimer;
    m_pMetronomeTimer = nullptr;
    delete m_pMetronome;
    m_pMetronome = nullptr;

    m_cursors.clear();
    m_pSettings.reset();
}

CursorHandle AppContext::GetCursor(int key)
{
    return m_cursors[key];
}

}  // namespace brindle
