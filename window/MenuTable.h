#pragma once

#include <array>
#include <string_view>

namespace tovrin {

enum class MenuLevel { MenuBar, Item };
enum class MenuCommand { None, New, Generate, Exit };

// "&" marks the access letter; a caption of "-" is a separator line.
struct MenuEntry {
    std::string_view name;
    std::string_view caption;
    MenuLevel level;
    MenuCommand command;
};

inline constexpr std::string_view MenuSeparator = "-";

// The menu of Form1, in order. No item has a shortcut key and all are
// always enabled.
inline constexpr std::array<MenuEntry, 6> MenuTable{{
    {"mnufile", "&File", MenuLevel::MenuBar, MenuCommand::None},
    {"mnunew", "&New", MenuLevel::Item, MenuCommand::New},
    {"mnud1", MenuSeparator, MenuLevel::Item, MenuCommand::None},
    {"mnugen", "&Generate", MenuLevel::Item, MenuCommand::Generate},
    {"md2", MenuSeparator, MenuLevel::Item, MenuCommand::None},
    {"mnuexit", "E&xit", MenuLevel::Item, MenuCommand::Exit},
}};

} // namespace tovrin
