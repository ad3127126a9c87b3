// Shortcut files the scenarios put into the phone's folders, byte for byte,
// as a user or an installer may leave them, and take away when they end.
#ifndef QUELLOR_TESTS_PHONE_PHONE_SHORTCUTS_H
#define QUELLOR_TESTS_PHONE_PHONE_SHORTCUTS_H

#include <string>
#include <vector>

namespace phonetest {

// The text of a shortcut with this command line: "<N>#<line>".
std::string Counted(const std::string &line);
// The same for the program at path (a desktop path of the build tree, ASCII).
std::string ShortcutTo(const std::wstring &path);

class ShortcutFiles {
public:
    ShortcutFiles() = default;
    ~ShortcutFiles();
    ShortcutFiles(const ShortcutFiles &) = delete;
    ShortcutFiles &operator=(const ShortcutFiles &) = delete;

    // name.lnk in the phone's folder (a CE path, made when missing) holding text.
    bool Put(const wchar_t *folder, const std::wstring &name, const std::string &text);

private:
    std::vector<std::wstring> files_;
};

}  // namespace phonetest

#endif
