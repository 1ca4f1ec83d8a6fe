// The module's resources as the platform reads them: the menu, the accelerator table, the About
// box template, the toolbar strip, the icon and the manifest, loaded from this executable (the
// resource script is linked into it exactly as into the player).
#include <windows.h>

#include "PlatformTest.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

const WORD US_ENGLISH = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

HMODULE Module() {
    return GetModuleHandleA(nullptr);
}

// The raw bytes of a resource of this module, or an empty vector.
std::vector<uint8_t> ResourceBytes(LPCSTR type, LPCSTR name) {
    HRSRC found = FindResourceA(Module(), name, type);
    if (found == nullptr) {
        return {};
    }
    HGLOBAL loaded = LoadResource(Module(), found);
    const auto* bytes = static_cast<const uint8_t*>(LockResource(loaded));
    if (bytes == nullptr) {
        return {};
    }
    return std::vector<uint8_t>(bytes, bytes + SizeofResource(Module(), found));
}

uint16_t WordAt(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

uint32_t DwordAt(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint32_t>(WordAt(bytes, at) | static_cast<uint32_t>(WordAt(bytes, at + 2))
                                                         << 16);
}

// ---- Inventory ----------------------------------------------------------------------------

std::string IdText(LPCSTR id) {
    return IS_INTRESOURCE(id) ? "#" + std::to_string(reinterpret_cast<uintptr_t>(id)) : id;
}

BOOL CALLBACK OnLanguage(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR param) {
    char lang[8];
    wsprintfA(lang, "%04X", language);
    reinterpret_cast<std::set<std::string>*>(param)->insert(IdText(type) + " " + IdText(name) +
                                                            " " + lang);
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param) {
    EnumResourceLanguagesA(module, type, name, OnLanguage, param);
    return TRUE;
}

BOOL CALLBACK OnType(HMODULE module, LPSTR type, LONG_PTR param) {
    EnumResourceNamesA(module, type, OnName, param);
    return TRUE;
}

// Every resource in US English and nothing else: no string table, no version resource, and
// only one manifest (a toolchain's default manifest would show up as a second one).
TEST(Resource, ModuleHoldsExactlyTheResourceSetInUsEnglish) {
    std::set<std::string> found;
    EnumResourceTypesA(Module(), OnType, reinterpret_cast<LONG_PTR>(&found));
    const std::set<std::string> expected = {
        "#2 #129 0409",  // RT_BITMAP IDB_TOOLBAR
        "#3 #1 0409",    // RT_ICON, the one image of IDI_MAIN
        "#4 #132 0409",  // RT_MENU IDR_MAINMENU
        "#5 #135 0409",  // RT_DIALOG IDD_ABOUT
        "#9 #134 0409",  // RT_ACCELERATOR IDR_ACCEL
        "#14 #109 0409", // RT_GROUP_ICON IDI_MAIN
        "#24 #1 0409",   // RT_MANIFEST
    };
    EXPECT_EQ(expected, found);
    EXPECT_NE(nullptr,
              FindResourceExA(Module(), RT_MENU, MAKEINTRESOURCEA(IDR_MAINMENU), US_ENGLISH));
}

// ---- Menu ---------------------------------------------------------------------------------

struct MenuEntry {
    const char* text; // nullptr: a separator
    UINT id;
};

struct PopupEntry {
    const char* text;
    std::vector<MenuEntry> items;
};

const std::vector<PopupEntry>& ExpectedMenu() {
    static const std::vector<PopupEntry> menu = {
        {"&File",
         {{"&Open\tCtrl+O", IDM_OPEN}, {"&Close", IDM_CLOSE}, {nullptr, 0}, {"E&xit", IDM_EXIT}}},
        {"&Play",
         {{"&Play/Pause\tSpace", IDM_PLAYPAUSE},
          {"&Stop\tCtrl+S", IDM_STOP},
          {nullptr, 0},
          {"&Beginning\tHome", IDM_BEGINNING},
          {"&Rewind\tPage Up", IDM_REWIND},
          {"&Forward\tPage Down", IDM_FORWARD},
          {"&End\tEnd", IDM_END},
          {"&Next Frame\tCtrl+Right", IDM_NEXTFRAME},
          {"Pre&vious Frame\tCtrl+Left", IDM_PREVFRAME},
          {nullptr, 0},
          {"&Full Screen\tAlt+Enter", IDM_FULLSCREEN},
          {"Repea&t\tCtrl+R", IDM_REPEAT},
          {nullptr, 0},
          {"Volume &Up\tUp", IDM_VOLUMEUP},
          {"Volume &Down\tDown", IDM_VOLUMEDOWN},
          {"&Mute\tM", IDM_MUTE}}},
        {"&Zoom",
         {{"&50%", IDM_ZOOM50},
          {"&100%", IDM_ZOOM100},
          {"&200%", IDM_ZOOM200},
          {"&Fit to Window", IDM_ZOOMFIT}}},
        {"&Help", {{"&About...", IDM_ABOUT}}},
    };
    return menu;
}

struct ItemInfo {
    UINT type = 0;
    UINT state = 0;
    UINT id = 0;
    HMENU subMenu = nullptr;
    std::string text;
};

ItemInfo ItemAt(HMENU menu, int position) {
    char text[128] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    ItemInfo item;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) {
        item.text = "<no item>";
        return item;
    }
    item.type = info.fType;
    item.state = info.fState;
    item.id = info.wID;
    item.subMenu = info.hSubMenu;
    item.text = text;
    return item;
}

std::string MenuString(HMENU menu, int position) {
    char text[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

class MenuResource : public testing::Test {
  protected:
    void SetUp() override {
        menu = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAINMENU));
        ASSERT_NE(nullptr, menu);
    }
    void TearDown() override {
        if (menu != nullptr) {
            DestroyMenu(menu);
        }
    }
    HMENU menu = nullptr;
};

TEST_F(MenuResource, BarHoldsFourOrdinaryPopupsInOrder) {
    const auto& expected = ExpectedMenu();
    ASSERT_EQ(static_cast<int>(expected.size()), GetMenuItemCount(menu));
    for (size_t p = 0; p < expected.size(); ++p) {
        SCOPED_TRACE(expected[p].text);
        const int position = static_cast<int>(p);
        const ItemInfo bar = ItemAt(menu, position);
        EXPECT_EQ(expected[p].text, MenuString(menu, position));
        EXPECT_EQ(expected[p].text, bar.text);
        EXPECT_NE(nullptr, bar.subMenu);
        // Help stays beside the others: no right-justified item on the bar.
        EXPECT_EQ(static_cast<UINT>(MFT_STRING), bar.type);
        EXPECT_EQ(0u, bar.state & (MFS_GRAYED | MFS_CHECKED));
    }
}

TEST_F(MenuResource, PopupItemsHaveTheirTextsIdsAndSeparators) {
    const auto& expected = ExpectedMenu();
    for (size_t p = 0; p < expected.size(); ++p) {
        HMENU popup = GetSubMenu(menu, static_cast<int>(p));
        ASSERT_NE(nullptr, popup) << expected[p].text;
        const auto& items = expected[p].items;
        ASSERT_EQ(static_cast<int>(items.size()), GetMenuItemCount(popup)) << expected[p].text;
        for (size_t i = 0; i < items.size(); ++i) {
            const int position = static_cast<int>(i);
            SCOPED_TRACE(std::string(expected[p].text) + " item " + std::to_string(i));
            const ItemInfo item = ItemAt(popup, position);
            EXPECT_EQ(nullptr, item.subMenu);
            if (items[i].text == nullptr) {
                // (Wine reports a separator as grayed; the template stores it plain, below.)
                EXPECT_NE(0u, item.type & MFT_SEPARATOR);
                EXPECT_EQ(0u, item.id);
            } else {
                // Enabled and unchecked: the states come from the player, not the resource.
                EXPECT_EQ(0u, item.state & (MFS_GRAYED | MFS_CHECKED | MFS_DEFAULT));
                EXPECT_EQ(static_cast<UINT>(MFT_STRING), item.type);
                EXPECT_EQ(items[i].id, item.id);
                EXPECT_EQ(items[i].text, item.text);
                EXPECT_EQ(items[i].text, MenuString(popup, position));
            }
        }
    }
}

// The stored template, item by item: popups carry only MF_POPUP (no right-justified Help),
// commands no flags at all, separators are empty items with id 0; MF_END closes each level.
TEST(Resource, MenuTemplateHoldsPlainItems) {
    const std::vector<uint8_t> raw = ResourceBytes(RT_MENU, MAKEINTRESOURCEA(IDR_MAINMENU));
    ASSERT_GE(raw.size(), 4u);
    EXPECT_EQ(0, WordAt(raw, 0)); // version
    EXPECT_EQ(0, WordAt(raw, 2)); // header size
    size_t at = 4;
    const auto text = [&]() {
        std::string t;
        for (; at + 1 < raw.size() && WordAt(raw, at) != 0; at += 2) {
            t += static_cast<char>(WordAt(raw, at));
        }
        at += 2;
        return t;
    };
    const auto& expected = ExpectedMenu();
    for (size_t p = 0; p < expected.size(); ++p) {
        SCOPED_TRACE(expected[p].text);
        ASSERT_LT(at + 2, raw.size());
        const uint16_t popupEnd = p + 1 == expected.size() ? MF_END : 0;
        EXPECT_EQ(MF_POPUP | popupEnd, WordAt(raw, at));
        at += 2;
        EXPECT_EQ(expected[p].text, text());
        const auto& items = expected[p].items;
        for (size_t i = 0; i < items.size(); ++i) {
            SCOPED_TRACE("item " + std::to_string(i));
            ASSERT_LT(at + 4, raw.size());
            const uint16_t itemEnd = i + 1 == items.size() ? MF_END : 0;
            EXPECT_EQ(itemEnd, WordAt(raw, at));
            EXPECT_EQ(items[i].id, WordAt(raw, at + 2));
            at += 4;
            EXPECT_EQ(items[i].text ? items[i].text : "", text());
        }
    }
    EXPECT_EQ(raw.size(), at);
}

// The video area shows the popup at position 1 as its context menu.
TEST_F(MenuResource, SecondPopupIsPlayWithItsThirteenCommands) {
    EXPECT_EQ("&Play", MenuString(menu, 1));
    HMENU play = GetSubMenu(menu, 1);
    ASSERT_NE(nullptr, play);
    std::vector<UINT> commands;
    for (int i = 0; i < GetMenuItemCount(play); ++i) {
        const ItemInfo item = ItemAt(play, i);
        if ((item.type & MFT_SEPARATOR) == 0) {
            commands.push_back(item.id);
        }
    }
    const std::vector<UINT> expected = {IDM_PLAYPAUSE,  IDM_STOP,   IDM_BEGINNING, IDM_REWIND,
                                        IDM_FORWARD,    IDM_END,    IDM_NEXTFRAME, IDM_PREVFRAME,
                                        IDM_FULLSCREEN, IDM_REPEAT, IDM_VOLUMEUP,  IDM_VOLUMEDOWN,
                                        IDM_MUTE};
    EXPECT_EQ(expected, commands);
}

// ---- Accelerators -------------------------------------------------------------------------

struct KeyEntry {
    BYTE flags; // as CopyAcceleratorTableA gives them, without the end mark
    WORD key;
    WORD command;
};

const KeyEntry EXPECTED_KEYS[] = {
    {FVIRTKEY | FNOINVERT | FCONTROL, 'O', IDM_OPEN},
    {FVIRTKEY | FNOINVERT | FCONTROL, 'R', IDM_REPEAT},
    {FVIRTKEY | FNOINVERT | FCONTROL, 'S', IDM_STOP},
    {FVIRTKEY | FNOINVERT, VK_END, IDM_END},
    {FVIRTKEY | FNOINVERT, VK_HOME, IDM_BEGINNING},
    {FVIRTKEY | FNOINVERT, VK_NEXT, IDM_FORWARD},
    {FVIRTKEY | FNOINVERT, VK_PRIOR, IDM_REWIND},
    {FVIRTKEY | FNOINVERT | FALT, VK_RETURN, IDM_FULLSCREEN},
    {FVIRTKEY | FNOINVERT, VK_SPACE, IDM_PLAYPAUSE},
    {FVIRTKEY | FNOINVERT | FCONTROL, VK_RIGHT, IDM_NEXTFRAME},
    {FVIRTKEY | FNOINVERT | FCONTROL, VK_LEFT, IDM_PREVFRAME},
    {FVIRTKEY | FNOINVERT, VK_UP, IDM_VOLUMEUP},
    {FVIRTKEY | FNOINVERT, VK_DOWN, IDM_VOLUMEDOWN},
    {FVIRTKEY | FNOINVERT, 'M', IDM_MUTE},
};
constexpr int KEY_COUNT = sizeof EXPECTED_KEYS / sizeof EXPECTED_KEYS[0];

std::vector<ACCEL> LoadedAccelerators() {
    HACCEL table = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_ACCEL));
    if (table == nullptr) {
        return {};
    }
    std::vector<ACCEL> entries(static_cast<size_t>(CopyAcceleratorTableA(table, nullptr, 0)));
    CopyAcceleratorTableA(table, entries.data(), static_cast<int>(entries.size()));
    DestroyAcceleratorTable(table);
    return entries;
}

TEST(Resource, AcceleratorTableHasFourteenEntriesInOrder) {
    const std::vector<ACCEL> entries = LoadedAccelerators();
    ASSERT_EQ(static_cast<size_t>(KEY_COUNT), entries.size());
    const BYTE flagBytes[KEY_COUNT] = {0x0B, 0x0B, 0x0B, 0x03, 0x03, 0x03, 0x03,
                                       0x13, 0x03, 0x0B, 0x0B, 0x03, 0x03, 0x03};
    for (int i = 0; i < KEY_COUNT; ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        EXPECT_EQ(flagBytes[i], entries[static_cast<size_t>(i)].fVirt);
        EXPECT_EQ(EXPECTED_KEYS[i].flags, entries[static_cast<size_t>(i)].fVirt);
        EXPECT_EQ(EXPECTED_KEYS[i].key, entries[static_cast<size_t>(i)].key);
        EXPECT_EQ(EXPECTED_KEYS[i].command, entries[static_cast<size_t>(i)].cmd);
    }
}

// The stored table: 8 bytes an entry (flags, key, command, padding), the end mark 0x80 in the
// flags of the last entry only.
TEST(Resource, RawAcceleratorResourceEndsWithTheEndMark) {
    const std::vector<uint8_t> raw = ResourceBytes(RT_ACCELERATOR, MAKEINTRESOURCEA(IDR_ACCEL));
    ASSERT_EQ(static_cast<size_t>(KEY_COUNT) * 8, raw.size());
    for (int i = 0; i < KEY_COUNT; ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        const size_t at = static_cast<size_t>(i) * 8;
        const uint16_t endMark = i == KEY_COUNT - 1 ? 0x80 : 0;
        EXPECT_EQ(EXPECTED_KEYS[i].flags | endMark, WordAt(raw, at));
        EXPECT_EQ(EXPECTED_KEYS[i].key, WordAt(raw, at + 2));
        EXPECT_EQ(EXPECTED_KEYS[i].command, WordAt(raw, at + 4));
    }
    EXPECT_EQ(0x83, WordAt(raw, raw.size() - 8));
}

// A key label as the menu shows it ("Ctrl+O", "Page Down", "Alt+Enter") as accelerator flags
// and virtual key; false when the label names no key this parser knows.
bool ParseKeyLabel(std::string label, BYTE& modifiers, WORD& key) {
    modifiers = 0;
    const struct {
        const char* prefix;
        BYTE flag;
    } modifierNames[] = {{"Ctrl+", FCONTROL}, {"Alt+", FALT}, {"Shift+", FSHIFT}};
    for (bool more = true; more;) {
        more = false;
        for (const auto& m : modifierNames) {
            const size_t length = std::strlen(m.prefix);
            if (label.compare(0, length, m.prefix) == 0) {
                modifiers = static_cast<BYTE>(modifiers | m.flag);
                label.erase(0, length);
                more = true;
            }
        }
    }
    const struct {
        const char* name;
        WORD key;
    } keyNames[] = {{"Space", VK_SPACE}, {"Enter", VK_RETURN},  {"Home", VK_HOME},
                    {"End", VK_END},     {"Page Up", VK_PRIOR}, {"Page Down", VK_NEXT},
                    {"Esc", VK_ESCAPE},  {"Delete", VK_DELETE}, {"Insert", VK_INSERT},
                    {"Up", VK_UP},       {"Down", VK_DOWN},     {"Left", VK_LEFT},
                    {"Right", VK_RIGHT}};
    for (const auto& k : keyNames) {
        if (label == k.name) {
            key = k.key;
            return true;
        }
    }
    if (label.size() == 1 && std::isupper(static_cast<unsigned char>(label[0]))) {
        key = static_cast<WORD>(label[0]);
        return true;
    }
    return false;
}

TEST_F(MenuResource, EveryKeyLabelNamesTheAcceleratorOfItsCommand) {
    const std::vector<ACCEL> accelerators = LoadedAccelerators();
    ASSERT_FALSE(accelerators.empty());
    int labels = 0;
    for (int p = 0; p < GetMenuItemCount(menu); ++p) {
        HMENU popup = GetSubMenu(menu, p);
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            const ItemInfo item = ItemAt(popup, i);
            if (item.type & MFT_SEPARATOR) {
                continue;
            }
            SCOPED_TRACE(item.text);
            std::vector<ACCEL> forItem;
            std::copy_if(accelerators.begin(), accelerators.end(), std::back_inserter(forItem),
                         [&](const ACCEL& a) { return a.cmd == item.id; });
            const size_t tab = item.text.find('\t');
            if (tab == std::string::npos) {
                EXPECT_TRUE(forItem.empty()) << "an accelerator with no key label";
                continue;
            }
            ++labels;
            BYTE modifiers = 0;
            WORD key = 0;
            ASSERT_TRUE(ParseKeyLabel(item.text.substr(tab + 1), modifiers, key));
            ASSERT_EQ(1u, forItem.size());
            EXPECT_NE(0, forItem[0].fVirt & FVIRTKEY);
            EXPECT_EQ(modifiers, forItem[0].fVirt & (FCONTROL | FALT | FSHIFT));
            EXPECT_EQ(key, forItem[0].key);
        }
    }
    // And no accelerator is missing from the menu.
    EXPECT_EQ(static_cast<int>(accelerators.size()), labels);
}

std::vector<WPARAM> commandsReceived;

LRESULT CALLBACK CommandSink(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        commandsReceived.push_back(wParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateCommandSink() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = CommandSink;
    wc.hInstance = Module();
    wc.lpszClassName = "ResourceTestSink";
    RegisterClassExA(&wc);
    return CreateWindowExA(0, "ResourceTestSink", "sink", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                           nullptr, Module(), nullptr);
}

// Translates one key press with the given modifiers held; returns what the window received.
std::vector<WPARAM> PressThrough(HACCEL table, HWND window, WORD key, BYTE modifiers) {
    BYTE keys[256] = {};
    if (modifiers & FCONTROL) {
        keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
    }
    if (modifiers & FALT) {
        keys[VK_MENU] = keys[VK_LMENU] = 0x80;
    }
    if (modifiers & FSHIFT) {
        keys[VK_SHIFT] = keys[VK_LSHIFT] = 0x80;
    }
    SetKeyboardState(keys);
    commandsReceived.clear();
    MSG msg = {};
    msg.hwnd = window;
    // With Alt held the platform reports a system key.
    msg.message = (modifiers & FALT) ? WM_SYSKEYDOWN : WM_KEYDOWN;
    msg.wParam = key;
    msg.lParam = (modifiers & FALT) ? 0x20000001 : 0x00000001;
    TranslateAcceleratorA(window, table, &msg);
    BYTE none[256] = {};
    SetKeyboardState(none);
    return commandsReceived;
}

// Each key reaches the window as the command with 1 in the high word (an accelerator), and only
// with its own modifier: the plain letter does not open, Enter alone does not go full screen.
TEST(Resource, AcceleratorsTranslateToTheirCommandsOnlyWithTheirModifiers) {
    HACCEL table = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_ACCEL));
    ASSERT_NE(nullptr, table);
    HWND window = CreateCommandSink();
    ASSERT_NE(nullptr, window);
    for (const KeyEntry& entry : EXPECTED_KEYS) {
        SCOPED_TRACE("key " + std::to_string(entry.key));
        const BYTE modifiers = static_cast<BYTE>(entry.flags & (FCONTROL | FALT | FSHIFT));
        EXPECT_EQ(std::vector<WPARAM>{MAKEWPARAM(entry.command, 1)},
                  PressThrough(table, window, entry.key, modifiers));
        const BYTE other = modifiers == 0 ? FCONTROL : 0;
        EXPECT_TRUE(PressThrough(table, window, entry.key, other).empty());
    }
    DestroyWindow(window);
    DestroyAcceleratorTable(table);
}

// ---- About dialog -------------------------------------------------------------------------

// Reads a classic dialog template (DLGTEMPLATE and DLGITEMTEMPLATEs).
class TemplateReader {
  public:
    explicit TemplateReader(const std::vector<uint8_t>& bytes) : bytes(bytes) {}

    bool Ok() const { return ok; }
    uint16_t Word() {
        if (at + 2 > bytes.size()) {
            ok = false;
            return 0;
        }
        const uint16_t value = WordAt(bytes, at);
        at += 2;
        return value;
    }
    uint32_t Dword() {
        const uint32_t low = Word();
        return low | static_cast<uint32_t>(Word()) << 16;
    }
    // A name or ordinal field: "#n" for an ordinal, "" for none, else the text.
    std::string NameOrOrdinal() {
        const uint16_t first = Word();
        if (first == 0xFFFF) {
            return "#" + std::to_string(Word());
        }
        std::string text;
        for (uint16_t c = first; c != 0 && ok; c = Word()) {
            text += c < 0x100 ? static_cast<char>(c) : '?';
        }
        return text;
    }
    std::string Text() {
        std::string text;
        for (uint16_t c = Word(); c != 0 && ok; c = Word()) {
            text += c < 0x100 ? static_cast<char>(c) : '?';
        }
        return text;
    }
    void AlignToDword() { at = (at + 3) & ~static_cast<size_t>(3); }

  private:
    const std::vector<uint8_t>& bytes;
    size_t at = 0;
    bool ok = true;
};

// The predefined classes are stored as ordinals; either form names the same class.
std::string ClassName(const std::string& field) {
    if (field == "#128") {
        return "button";
    }
    if (field == "#130") {
        return "static";
    }
    std::string lower = field;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

struct ControlTemplate {
    std::string className;
    uint16_t id;
    int x, y, width, height;
    std::string text;
    uint32_t style;
};

TEST(Resource, AboutDialogTemplateIsAsDesigned) {
    const std::vector<uint8_t> raw = ResourceBytes(RT_DIALOG, MAKEINTRESOURCEA(IDD_ABOUT));
    ASSERT_FALSE(raw.empty());
    TemplateReader r(raw);
    const uint32_t style = r.Dword();
    ASSERT_NE(0xFFFF0001u, style) << "an extended template";
    EXPECT_EQ(0x80C800C0u, style);
    EXPECT_EQ(
        static_cast<uint32_t>(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU),
        style);
    EXPECT_EQ(0u, r.Dword()); // extended style
    const uint16_t controls = r.Word();
    EXPECT_EQ(0, static_cast<int16_t>(r.Word()));
    EXPECT_EQ(0, static_cast<int16_t>(r.Word()));
    EXPECT_EQ(158, static_cast<int16_t>(r.Word()));
    EXPECT_EQ(86, static_cast<int16_t>(r.Word()));
    EXPECT_EQ("", r.NameOrOrdinal()); // no menu
    EXPECT_EQ("", r.NameOrOrdinal()); // the default dialog class
    EXPECT_EQ("Player", r.Text());
    EXPECT_EQ(10, r.Word()); // points; DS_SETFONT puts the font here
    EXPECT_EQ("System", r.Text());

    const ControlTemplate expected[] = {
        {"button", IDOK, 48, 56, 50, 14, "OK", 0x50010001},
        {"static", 0xFFFF, 36, 21, 82, 8, "Marrowdeck  2.0", 0x50020000},
        {"static", 0xFFFF, 20, 36, 124, 8, "", 0x50020000},
    };
    ASSERT_EQ(3, controls);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE("control " + std::to_string(i));
        r.AlignToDword();
        ControlTemplate c;
        c.style = r.Dword();
        EXPECT_EQ(0u, r.Dword()); // extended style
        c.x = static_cast<int16_t>(r.Word());
        c.y = static_cast<int16_t>(r.Word());
        c.width = static_cast<int16_t>(r.Word());
        c.height = static_cast<int16_t>(r.Word());
        c.id = r.Word();
        c.className = ClassName(r.NameOrOrdinal());
        c.text = r.NameOrOrdinal();
        EXPECT_EQ(0, r.Word()); // no creation data
        ASSERT_TRUE(r.Ok());

        EXPECT_EQ(expected[i].className, c.className);
        EXPECT_EQ(expected[i].id, c.id);
        EXPECT_EQ(expected[i].x, c.x);
        EXPECT_EQ(expected[i].y, c.y);
        EXPECT_EQ(expected[i].width, c.width);
        EXPECT_EQ(expected[i].height, c.height);
        EXPECT_EQ(expected[i].style, c.style);
        if (i < 2) {
            EXPECT_EQ(expected[i].text, c.text);
        } else {
            // The second line's wording is free; it is some text, not an ordinal.
            EXPECT_FALSE(c.text.empty());
            EXPECT_NE('#', c.text[0]);
        }
    }
}

INT_PTR CALLBACK EndOnCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_COMMAND) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

// The box runs from its template and Enter ends it with IDOK (the answerer's fallback would give
// IDCANCEL). The focus starts on OK, so this holds for a plain push button too: the default style
// itself is pinned by the template test. Under Wine without a window manager EndDialog takes
// about 2 s (hiding a captioned window waits for a withdrawn state that never comes).
TEST(Resource, EnterEndsAboutDialogWithOk) {
    std::string okClass;
    DialogAnswerer answerer([&](HWND dialog) {
        char cls[32] = {};
        GetClassNameA(GetDlgItem(dialog, IDOK), cls, sizeof cls);
        okClass = cls;
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    });
    const INT_PTR result =
        DialogBoxParamA(Module(), MAKEINTRESOURCEA(IDD_ABOUT), nullptr, EndOnCommand, 0);
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(1, answerer.AnsweredCount());
    EXPECT_EQ("Player", answerer.LastCaption());
    EXPECT_STRCASEEQ("Button", okClass.c_str());
}

// ---- Toolbar bitmap -----------------------------------------------------------------------

constexpr int STRIP_WIDTH = 173;
constexpr int STRIP_HEIGHT = 19;
constexpr int CELL = 20;
constexpr COLORREF BACKGROUND = RGB(192, 192, 192);

// The strip's pixels as colours, row 0 at the top.
class ToolbarStrip : public testing::Test {
  protected:
    void SetUp() override {
        raw = ResourceBytes(RT_BITMAP, MAKEINTRESOURCEA(IDB_TOOLBAR));
        ASSERT_GE(raw.size(), sizeof(BITMAPINFOHEADER));
        std::memcpy(&header, raw.data(), sizeof header);
        ASSERT_EQ(8, header.biBitCount);
        const size_t stride = (STRIP_WIDTH + 3) / 4 * 4;
        const size_t bits = header.biSize + 256 * 4;
        ASSERT_EQ(bits + stride * STRIP_HEIGHT, raw.size());
        for (int y = 0; y < STRIP_HEIGHT; ++y) {
            const size_t row = bits + stride * static_cast<size_t>(STRIP_HEIGHT - 1 - y);
            for (int x = 0; x < STRIP_WIDTH; ++x) {
                const size_t entry = header.biSize + 4u * raw[row + static_cast<size_t>(x)];
                pixels[y][x] = RGB(raw[entry + 2], raw[entry + 1], raw[entry]);
            }
        }
    }
    std::vector<uint8_t> raw;
    BITMAPINFOHEADER header = {};
    COLORREF pixels[STRIP_HEIGHT][STRIP_WIDTH] = {};
};

TEST_F(ToolbarStrip, HeaderIsA173By19BottomUpEightBitDib) {
    EXPECT_EQ(sizeof(BITMAPINFOHEADER), header.biSize);
    EXPECT_EQ(173, header.biWidth);
    EXPECT_EQ(19, header.biHeight); // positive: rows bottom-up
    EXPECT_EQ(1, header.biPlanes);
    EXPECT_EQ(8, header.biBitCount);
    EXPECT_EQ(static_cast<DWORD>(BI_RGB), header.biCompression);
    EXPECT_EQ(256u, header.biClrUsed == 0 ? 256u : header.biClrUsed);

    HBITMAP loaded = LoadBitmapA(Module(), MAKEINTRESOURCEA(IDB_TOOLBAR));
    ASSERT_NE(nullptr, loaded);
    BITMAP info = {};
    GetObjectA(loaded, sizeof info, &info);
    EXPECT_EQ(173, info.bmWidth);
    EXPECT_EQ(19, info.bmHeight);
    DeleteObject(loaded);
}

TEST_F(ToolbarStrip, UsesOnlyTheFiveGlyphColours) {
    const std::set<COLORREF> allowed = {BACKGROUND, RGB(128, 0, 0), RGB(0, 64, 0),
                                        RGB(128, 128, 128), RGB(255, 255, 255)};
    std::set<COLORREF> used;
    for (const auto& row : pixels) {
        used.insert(std::begin(row), std::end(row));
    }
    for (COLORREF c : used) {
        EXPECT_EQ(1u, allowed.count(c)) << std::hex << c;
    }
    EXPECT_EQ(allowed, used);
}

// Eight glyphs, each centred in its 20-pixel cell and mostly dark red; the 13 columns after
// them are blank.
TEST_F(ToolbarStrip, EightCentredGlyphsThenBlankColumns) {
    for (int cell = 0; cell < 8; ++cell) {
        SCOPED_TRACE("image " + std::to_string(cell));
        int left = CELL, right = -1, top = STRIP_HEIGHT, bottom = -1;
        int red = 0, inked = 0;
        for (int y = 0; y < STRIP_HEIGHT; ++y) {
            for (int x = 0; x < CELL; ++x) {
                const COLORREF c = pixels[y][cell * CELL + x];
                if (c != BACKGROUND) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                    ++inked;
                    red += c == RGB(128, 0, 0);
                }
            }
        }
        ASSERT_GT(inked, 0);
        EXPECT_LE(std::abs(left - (CELL - 1 - right)), 1) << left << ".." << right;
        EXPECT_LE(std::abs(top - (STRIP_HEIGHT - 1 - bottom)), 1) << top << ".." << bottom;
        EXPECT_GT(2 * red, inked);
    }
    for (int y = 0; y < STRIP_HEIGHT; ++y) {
        for (int x = 8 * CELL; x < STRIP_WIDTH; ++x) {
            EXPECT_EQ(BACKGROUND, pixels[y][x]) << x << "," << y;
        }
    }
}

// Which way each glyph faces, read from the heights of its outermost inked columns: a flat side
// or bar is tall, a triangle's tip is short. Catches glyphs drawn in the wrong cell or mirrored.
TEST_F(ToolbarStrip, GlyphsFaceTheirDirection) {
    enum Edge { SHORT, TALL };
    const struct {
        Edge left, right;
    } expected[8] = {
        {TALL, SHORT},  // play: flat side, then the tip
        {TALL, TALL},   // pause
        {TALL, TALL},   // stop
        {SHORT, SHORT}, // eject: the bar's ends
        {TALL, TALL},   // to start: bar ... flat side
        {SHORT, TALL},  // rewind: tip ... flat side
        {TALL, SHORT},  // forward
        {TALL, TALL},   // to end: flat side ... bar
    };
    const auto edgeOf = [](int inkedRows) { return inkedRows >= 8 ? TALL : SHORT; };
    for (int cell = 0; cell < 8; ++cell) {
        SCOPED_TRACE("image " + std::to_string(cell));
        std::vector<int> heights;
        for (int x = 0; x < CELL; ++x) {
            int rows = 0;
            for (int y = 0; y < STRIP_HEIGHT; ++y) {
                rows += pixels[y][cell * CELL + x] != BACKGROUND;
            }
            if (rows > 0) {
                heights.push_back(rows);
            }
        }
        ASSERT_FALSE(heights.empty());
        for (int edge : {heights.front(), heights.back()}) {
            EXPECT_TRUE(edge >= 8 || edge <= 4) << "neither tall nor short: " << edge;
        }
        EXPECT_EQ(expected[cell].left, edgeOf(heights.front())) << heights.front();
        EXPECT_EQ(expected[cell].right, edgeOf(heights.back())) << heights.back();
    }
}

// ---- Icon ---------------------------------------------------------------------------------

TEST(Resource, IconLoadsAt32By32) {
    HICON icon =
        static_cast<HICON>(LoadImageA(Module(), MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON, 0, 0, 0));
    ASSERT_NE(nullptr, icon);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_TRUE(info.fIcon);
    BITMAP color = {};
    ASSERT_NE(nullptr, info.hbmColor);
    GetObjectA(info.hbmColor, sizeof color, &color);
    EXPECT_EQ(32, color.bmWidth);
    EXPECT_EQ(32, color.bmHeight);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    EXPECT_NE(nullptr, LoadIconA(Module(), MAKEINTRESOURCEA(IDI_MAIN)));
}

// The group names one 32 x 32, 16-colour image, icon 1; that image is a 4-bit DIB with the
// standard palette and a mask that leaves the corners clear and covers the middle.
TEST(Resource, IconIsOneFourBitImageWithMask) {
    const std::vector<uint8_t> group = ResourceBytes(RT_GROUP_ICON, MAKEINTRESOURCEA(IDI_MAIN));
    ASSERT_EQ(6u + 14u, group.size());
    EXPECT_EQ(1, WordAt(group, 2)); // icons, not cursors
    EXPECT_EQ(1, WordAt(group, 4)); // one image
    EXPECT_EQ(32, group[6]);
    EXPECT_EQ(32, group[7]);
    EXPECT_EQ(16, group[8]);
    EXPECT_EQ(1, WordAt(group, 10)); // planes
    EXPECT_EQ(4, WordAt(group, 12)); // bits per pixel
    EXPECT_EQ(1, WordAt(group, 18)); // icon resource id

    const std::vector<uint8_t> image = ResourceBytes(RT_ICON, MAKEINTRESOURCEA(1));
    ASSERT_GE(image.size(), 40u);
    EXPECT_EQ(40u, DwordAt(image, 0));
    EXPECT_EQ(32u, DwordAt(image, 4));
    EXPECT_EQ(64u, DwordAt(image, 8)); // colour rows plus mask rows
    EXPECT_EQ(4, WordAt(image, 14));
    EXPECT_EQ(static_cast<uint32_t>(BI_RGB), DwordAt(image, 16));
    const size_t xorBytes = 32 * 32 / 2, andBytes = 32 * 4;
    ASSERT_EQ(40 + 16 * 4 + xorBytes + andBytes, image.size());
    EXPECT_EQ(DwordAt(group, 14), image.size()); // the group's byte count

    const COLORREF standard[16] = {
        RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
        RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
        RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
    for (size_t i = 0; i < 16; ++i) {
        const size_t at = 40 + 4 * i;
        EXPECT_EQ(standard[i], RGB(image[at + 2], image[at + 1], image[at])) << "colour " << i;
    }

    // Mask rows are bottom-up too; a set bit is a clear pixel.
    const size_t mask = 40 + 16 * 4 + xorBytes;
    const auto clear = [&](int x, int y) {
        const size_t row = mask + 4 * static_cast<size_t>(31 - y);
        return (image[row + static_cast<size_t>(x / 8)] & (0x80 >> (x % 8))) != 0;
    };
    int clearPixels = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            clearPixels += clear(x, y);
        }
    }
    EXPECT_TRUE(clear(0, 31));
    EXPECT_TRUE(clear(0, 0) || clear(31, 0) || clear(31, 31));
    EXPECT_FALSE(clear(16, 20));
    EXPECT_GT(clearPixels, 32);
    EXPECT_LT(clearPixels, 32 * 32 / 2);
}

// ---- Manifest -----------------------------------------------------------------------------

// The root element, the DPI awareness and the UTF-8 code page, nothing else: no dependency on
// common controls 6, so the controls keep their classic look. Written with an end tag: Wine 8's
// manifest parser rejects a self-closing root element.
TEST(Resource, ManifestAsksOnlyForDpiAwarenessAndTheUtf8CodePage) {
    const std::vector<uint8_t> raw = ResourceBytes(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID);
    const std::string text(raw.begin(), raw.end());
    EXPECT_EQ("<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">"
              "<application xmlns=\"urn:schemas-microsoft-com:asm.v3\"><windowsSettings>"
              "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">"
              "true/pm</dpiAware>"
              "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
              "PerMonitorV2, PerMonitor</dpiAwareness>"
              "<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">"
              "UTF-8</activeCodePage></windowsSettings></application></assembly>",
              text);
}

// This executable carries the same manifest: the 8-bit functions use UTF-8 (Wine 8, Windows 10
// 1903 and later; older Windows ignore the setting).
TEST(Resource, ManifestMakesTheCodePageUtf8) {
    EXPECT_EQ(static_cast<UINT>(CP_UTF8), GetACP());
}

// The platform's side-by-side loader accepts it (a manifest it cannot parse gives no context).
TEST(Resource, ManifestMakesAnActivationContext) {
    char path[MAX_PATH] = {};
    ASSERT_NE(0u, GetModuleFileNameA(Module(), path, sizeof path));
    ACTCTXA request = {};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path;
    request.hModule = Module();
    request.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
    HANDLE context = CreateActCtxA(&request);
    EXPECT_NE(INVALID_HANDLE_VALUE, context) << GetLastError();
    if (context != INVALID_HANDLE_VALUE) {
        ReleaseActCtx(context);
    }
}

} // namespace
