#!/usr/bin/env bash
# Every page set opened with real pointer clicks on the real program under a
# virtual display: key facts and teacher's notes of both topics, the guide and
# the acknowledgments. Each is paged forward to its end and back with the page
# label read from the screen and the paging buttons' states checked, and its
# last page is printed through the default print queue; the PDF carries the
# page's heading.
#   pointer_pages.sh PROGRAM PAGE-SOURCES
# Prints through a print server of its own (tests/harness/cups.sh).
source "$(dirname "$0")/xvfb.sh"
program=$1
sources=$2
own_print_server

shoot() { import -window root "$work/screen.png"; }
crop() { # crop L T W H (twips of the 12000 x 9000 window) -> $work/crop.png
    convert "$work/screen.png" -crop "$(region "$mx" "$my" "$@")" +repage "$work/crop.png"
}
# The page label's text; its border is left out and only the characters a
# page label can hold are looked for.
page_label() { # scale
    convert "$work/crop.png" -resize "$1" -bordercolor white -border 20 "$work/ocr.png"
    tesseract "$work/ocr.png" - --psm 7 -c tessedit_char_whitelist='Pageof 0123456789' 2>/dev/null | tr -s ' \n' ' '
}
# A button label is enabled when some of its text is yellow.
yellow() {
    shoot
    crop "$@"
    convert "$work/crop.png" -fuzz 15% -fill white -opaque yellow -fill black +opaque white -format "%[fx:mean>0.005]" info:
}
# Short bold text defeats OCR at one scale or another: any of three will do.
label_reads() {
    local scale
    shoot
    crop $((4200 + 45)) $((7920 + 45)) $((2295 - 90)) $((495 - 90))
    for scale in 300% 200% 400%; do
        got=$(page_label "$scale")
        [[ $got == *"$1"* ]] && return 0
    done
    return 1
}
expect_label() { # the label, waited for
    local got=
    until_true 20 label_reads "$1" || fail "page label reads \"$got\", expected \"$1\""
}
buttons_are() { [[ $(yellow 1320 7920 2685 495) == "$1" && $(yellow 6720 7920 2685 495) == "$2" ]]; }
expect_buttons() { # previous-enabled next-enabled what
    until_true 20 buttons_are "$1" "$2" \
        || fail "$3: \"Previous Page\" and \"Next Page\" enabled should be $1 and $2"
}
heading() { sed -n 's/^heading: *//p' "$sources/$1.page" | head -n1; }

print_and_check() { # source-name what
    mark_printed
    click "$mx" "$my" 10680 120 1125 495 # Print
    local pdf want got
    pdf=$(next_printed) || fail "$2: nothing came out of the print queue"
    want=$(heading "$1" | tr -s ' ')
    got=$(pdftotext "$pdf" - | tr -s ' \n' ' ')
    [[ $got == *"$want"* ]] || fail "$2: the printed page lacks its heading \"$want\""
    echo "ok: $2 printed with its heading"
}

# page_set COUNT SOURCE-STEM WHAT: the viewer or guide is open on page 1.
page_set() {
    local count=$1 stem=$2 what=$3 p
    local letters=(x a b c d)
    expect_label "Page 1 of $count"
    expect_buttons 0 1 "$what page 1"
    for p in $(seq 2 "$count"); do
        click "$mx" "$my" 6720 7920 2685 495 # Next Page
    done
    expect_label "Page $count of $count"
    expect_buttons 1 0 "$what page $count"
    local last=guide-$count
    [[ $stem == guide ]] || last=$stem-${letters[$count]}
    print_and_check "$last" "$what page $count"
    expect_label "Page $count of $count"
    for p in $(seq 2 "$count"); do
        click "$mx" "$my" 1320 7920 2685 495 # Previous Page
    done
    expect_label "Page 1 of $count"
    expect_buttons 0 1 "$what back on page 1"
    echo "ok: $what pages 1 to $count and back"
    click "$mx" "$my" 10680 7920 1125 495 # Exit
}

start_at_menu "$program"

click "$mx" "$my" 3360 5400 3075 375 # Edmund Quellmore
click "$mx" "$my" 6360 120 1995 495  # Key Facts
page_set 2 key-quellmore "Edmund Quellmore's key facts"
click "$mx" "$my" 8640 120 3195 495  # Teacher's Notes
page_set 2 quellmore "Edmund Quellmore's teacher's notes"
click "$mx" "$my" 10560 7920 1245 495 # Exit

click "$mx" "$my" 3360 3960 3075 375 # Oravian Inventions
click "$mx" "$my" 6360 120 1995 495  # Key Facts
# A double click on "Next Page" turns one page, not two.
double_click "$mx" "$my" 6720 7920 2685 495
expect_label "Page 2 of 3"
echo "ok: a double click on Next Page turns one page"
click "$mx" "$my" 1320 7920 2685 495 # Previous Page
page_set 3 key-inventions "Oravian Inventions' key facts"
click "$mx" "$my" 8640 120 3195 495  # Teacher's Notes
page_set 4 inventions "Oravian Inventions' teacher's notes"
click "$mx" "$my" 10560 7920 1245 495 # Exit

click "$mx" "$my" 120 1440 3075 495 # Teachers' Guide
page_set 5 guide "the teachers' guide"

click "$mx" "$my" 120 7920 3075 495 # Acknowledgments
until_true 20 buttons_are 0 0 || fail "the acknowledgments page shows paging buttons"
print_and_check acknowledgments "the acknowledgments"
click "$mx" "$my" 10680 7920 1125 495 # Exit
echo "ok: every page set"
