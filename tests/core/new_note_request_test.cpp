#include "app/core/new_note_request.h"

#include <gtest/gtest.h>

#include <string>

TEST(NewNoteRequest, TextAndCategoryTravelWhateverTheyHold) {
    const NewNoteRequest requests[] = {
        {u"Appeler Marc", u""},
        {u"Appeler Marc", u"Travail > Réunions"},
        {u"ligne 1\r\nligne 2 | > \\ \"", u"Travail"},
        {u"", u""},
    };
    for (const NewNoteRequest& request : requests) {
        EXPECT_EQ(DecodeNewNoteRequest(EncodeNewNoteRequest(request)), request);
    }
    EXPECT_EQ(EncodeNewNoteRequest({u"texte", u"Travail"}), std::u16string(u"Travail\0texte", 13));
}

TEST(NewNoteRequest, DataWithoutTheSeparatorIsNoRequest) {
    EXPECT_EQ(DecodeNewNoteRequest(u"Appeler Marc"), std::nullopt);
    EXPECT_EQ(DecodeNewNoteRequest(u""), std::nullopt);
}
