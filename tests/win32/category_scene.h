// The scene the category menu tests share: two categories, "Travail" (with
// "Urgent" and "Plus tard") and "Maison", and a fixture that saves them.
#pragma once

#include <cstdint>
#include <string>

#include "storage/category_storage.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"

constexpr ColourRef kWorkColour = 0x0066CCFF;  // file "FFCC66"
constexpr ColourRef kHomeColour = 0x00A0E0A0;  // file "A0E0A0"
constexpr ColourRef kDarkColour = 0x00402010;
constexpr std::int32_t kWork = 1;
constexpr std::int32_t kHome = 2;
constexpr std::int32_t kUrgent = 3;
constexpr std::int32_t kLater = 4;
constexpr char kTwoCategoriesFile[] =
    "NEXTID|5\r\nCAT|1|FFCC66|Travail\r\nSUB|1|3|Urgent\r\nSUB|1|4|Plus tard\r\nCAT|2|A0E0A0|Maison\r\n";
// Stands in for a note file until the program writes one: any save replaces it.
constexpr char kUntouched[] = "X=1\r\n---\r\nnot rewritten";

class CategoryMenu : public DataFolderTest {
protected:
    // "Travail" (subcategories "Urgent" and "Plus tard") and "Maison", saved.
    void UseTwoCategories() {
        Categories().categories = {
            Category{kWork, u"Travail", kWorkColour, {Subcategory{kUrgent, u"Urgent"}, Subcategory{kLater, u"Plus tard"}}},
            Category{kHome, u"Maison", kHomeColour, {}},
        };
        Categories().nextId = 5;
        ASSERT_TRUE(SaveCategories());
        ASSERT_EQ(CategoriesFile(), kTwoCategoriesFile);
    }

    std::string NoteFile(std::uint64_t id) const { return Data().ReadNote(id); }
    std::string CategoriesFile() const { return Data().Read(u"categories.txt"); }

    ScriptedUser user_;
};
