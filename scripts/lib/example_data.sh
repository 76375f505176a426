# The example data folder that scripts/run.sh gives a fresh Wine prefix on a
# machine without a display, so that its screenshot shows the program at
# work rather than an empty desktop:
#   categories.txt  the category "Work" (light blue) with the subcategory
#                   "Meetings";
#   notes\          a regular note filed under "Work", a scheduled note filed
#                   under "Work > Meetings" with two entries (one past and
#                   already announced, one to come in three days: no reminder
#                   shows), a plain yellow note, and a pink note docked as a
#                   strip on the left edge.
# The files are written as the program writes them: UTF-8 without a
# byte-order mark, lines ending with CR LF, a note's text with nothing after
# its last line. Sourced by scripts/run.sh.

# Writes the text to the file with each LF turned into CR LF.
qb_write_crlf() {  # file, text
  printf '%s' "${2//$'\n'/$'\r\n'}" >"$1"
}

# A local date and time as the note file stores an entry's due: YYYYMMDDHHMM.
qb_due_stamp() {  # date(1) description, e.g. "yesterday 09:00"
  date -d "$1" +%Y%m%d%H%M
}

qb_write_example_data() {  # the data folder (%APPDATA%\Quillboard) as a Linux path
  local folder=$1
  local notes="$folder/notes"
  mkdir -p "$notes"
  local past future
  past=$(qb_due_stamp "yesterday 09:00")
  future=$(qb_due_stamp "today + 3 days 14:30")

  qb_write_crlf "$folder/categories.txt" "NEXTID|3
CAT|1|A8D8FF|Work
SUB|1|2|Meetings
"

  qb_write_crlf "$notes/note_0000000000000001.txt" "X=90
Y=80
W=300
H=230
COLOR=#A8D8FF
CAT=1
SUBCAT=0
PIN=0
DOCK=0
LASTDOCK=0
TYPE=0
---
Quarterly report
- figures from the café team
- charts for the two new shops
- send the draft to Anne by Friday"

  # Entry fields: id, due, done (0 or 1), announced (0 or 1), date done, text.
  qb_write_crlf "$notes/note_0000000000000002.txt" "X=440
Y=80
W=400
H=170
COLOR=#A8D8FF
CAT=1
SUBCAT=2
PIN=0
DOCK=0
LASTDOCK=0
TYPE=1
ENTRY|1|$past|0|1|0|Call the printer
ENTRY|2|$future|0|0|0|Team meeting, room 2
---
"

  qb_write_crlf "$notes/note_0000000000000003.txt" "X=900
Y=80
W=260
H=200
COLOR=#FFF6A0
CAT=0
SUBCAT=0
PIN=0
DOCK=0
LASTDOCK=0
TYPE=0
---
Shopping
bread, apples, coffee"

  # Docked on the left: the program shows it as a thin strip along that
  # edge; X, Y, W and H are where it floats again once clicked.
  qb_write_crlf "$notes/note_0000000000000004.txt" "X=90
Y=380
W=260
H=220
COLOR=#FFC8E4
CAT=0
SUBCAT=0
PIN=0
DOCK=1
LASTDOCK=1
TYPE=0
---
Docked note: click the strip on the left edge to bring it back."
}
