"""The hostess's lines: reads tools/speech/speech.tsv (UTF-8), checks every
line against the balloon's sizes and lays it out as the CP932 fields of
assets/dat/speech.csv. Shared by make_speech_csv.py and the voice tool."""

import pathlib

LEVELS = 7
EVENTS = 63
ROW_BYTES = 20          # one balloon row: ten full-width characters
FIELD_BYTES = 40        # two rows
TITLE_EVENT = 53
TITLE_BYTES = 10        # the title stands before "（白）" on the result screen
ONE_ROW_EVENTS = {50, 54}  # printed on the first row only
ROW_BREAK = "|"
SAME_AS_LEVEL5 = "="

TSV = pathlib.Path(__file__).with_name("speech.tsv")


class LineError(Exception):
    pass


def read_table(path=TSV):
    """Returns {event: [text of level 0..6]} with '|' kept as the row break."""
    table = {}
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        cells = line.split("\t")
        if len(cells) != LEVELS + 1:
            raise LineError(f"line {number}: {len(cells)} cells, want {LEVELS + 1}")
        event = int(cells[0])
        if event in table or not 0 <= event < EVENTS:
            raise LineError(f"line {number}: event {event} repeated or out of range")
        texts = cells[1:]
        if texts[6] == SAME_AS_LEVEL5:
            texts[6] = texts[5]
        table[event] = texts
    missing = sorted(set(range(EVENTS)) - set(table))
    if missing:
        raise LineError(f"events missing: {missing}")
    return table


def spoken_text(text):
    """What the voice says: the line without its row break."""
    return text.replace(ROW_BREAK, "")


def encode(text, where):
    try:
        return text.encode("cp932")
    except UnicodeEncodeError as error:
        raise LineError(f"{where}: not CP932: {error}") from None


def csv_field(event, level, text):
    """The CP932 bytes of one field: the first row padded to 20 bytes with
    blanks when there is a second row, so each row fills its own line."""
    where = f"event {event} level {level} '{text}'"
    if not text or any(c in text for c in ",\r\n\t\0"):
        raise LineError(f"{where}: empty or holds a separator")
    rows = text.split(ROW_BREAK)
    if len(rows) > 2 or not all(rows):
        raise LineError(f"{where}: at most one row break, no empty row")
    first = encode(rows[0], where)
    if len(first) > ROW_BYTES:
        raise LineError(f"{where}: first row is {len(first)} bytes")
    if len(rows) == 1:
        field = first
    else:
        if event in ONE_ROW_EVENTS:
            raise LineError(f"{where}: this event shows only one row")
        second = encode(rows[1], where)
        if len(second) > ROW_BYTES:
            raise LineError(f"{where}: second row is {len(second)} bytes")
        blanks = ROW_BYTES - len(first)
        padding = ("\u3000" * (blanks // 2) + " " * (blanks % 2)).encode("cp932")
        field = first + padding + second
    limit = TITLE_BYTES if event == TITLE_EVENT else FIELD_BYTES
    if not 1 <= len(field) <= limit:
        raise LineError(f"{where}: {len(field)} bytes, limit {limit}")
    return field


def check_level6(table):
    """Level 6 speaks with level 5's voices, so its voiced lines must match."""
    for event, texts in table.items():
        if event != TITLE_EVENT and texts[6] != texts[5]:
            raise LineError(f"event {event}: level 6 differs from level 5")


def csv_bytes(table):
    check_level6(table)
    rows = []
    for event in range(EVENTS):
        fields = [csv_field(event, level, t) for level, t in enumerate(table[event])]
        rows.append(b",".join(fields) + b"\r\n")
    return b"".join(rows)
