#include "app/note_passes.h"

void SaveAllNotes() {
}
