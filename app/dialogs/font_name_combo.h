// The face box of the font toolbar: the outline (TrueType) faces of the system, sorted by
// the locale's collation, each drawn with a small TrueType mark before its name. Typing
// part of a name and leaving the box picks the first face that begins with it.
#pragma once

#include <QComboBox>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

// One face of the list. The entry keeps it; clearing the list lets it go.
struct FontDesc {
    static constexpr std::uint32_t kTrueType = 0x200;

    std::u16string faceName;
    std::uint32_t flags = 0;
    friend bool operator==(const FontDesc&, const FontDesc&) = default;
};

// What a toolbar's combo box shares: the entry text that counts (the selected entry's,
// else what is typed), and choosing an entry by its text.
class CToolBarCombo : public QComboBox {
    Q_OBJECT

public:
    explicit CToolBarCombo(QWidget* parent = nullptr);

    void SetTextLimit(int limit);
    int TextLimit() const { return limit_; }

    std::u16string GetTheText() const;
    // Selects the entry equal to `text` (ignoring case) or, when not exact, the first that
    // begins with it; with none, clears the selection and puts the text into the field.
    void SetTheText(std::u16string_view text, bool exact);
    // The entry whose text equals `text` ignoring case; -1 for none.
    int FindExact(std::u16string_view text) const;
    int Selected() const { return selected_; }

    // What the toolbar hears of the box.
    std::function<void()> onLostFocus;
    std::function<void()> onClosedUp;
    std::function<void()> onDropDown;
    // Keys the box does not handle itself: Tab, Enter and Escape.
    std::function<void(int key)> onKey;

    void showPopup() override;
    void hidePopup() override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    void Select(int index);
    // Empties the list (and the field), no entry selected.
    void ClearList();

private:
    int limit_ = 0;
    int selected_ = -1;
    bool dropped_ = false;
};

class CFontNameCombo : public CToolBarCombo {
    Q_OBJECT

public:
    using FaceSource = std::function<std::vector<FontDesc>()>;

    // `faces` lists the faces to offer; by default those installed.
    explicit CFontNameCombo(QWidget* parent = nullptr, FaceSource faces = {});

    // Refills the list, keeping the text (the first face beginning with it is selected).
    void EnumerateFonts();
    FontDesc EntryFont(int index) const;

    // The outline faces installed, vertical ("@") faces left out.
    static std::vector<FontDesc> InstalledFaces();
    // The mark drawn before a TrueType face: two 16 × 15 pictures side by side, the
    // second one used.
    static const QPixmap& TrueTypePicture();
    // The entry height: the default GUI font's height, at least 15.
    static int EntryHeight();

private:
    FaceSource faces_;
};

}  // namespace brindle
