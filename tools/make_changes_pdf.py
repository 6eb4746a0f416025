#!/usr/bin/python3
"""Turn resources/changes.txt into resources/Changes.pdf, the change list
that the program carries as its `Changes` payload.

Run (from anywhere):
    /usr/bin/python3 tools/make_changes_pdf.py [--source FILE] [--output FILE] [--pages N]

Defaults: --source resources/changes.txt, --output resources/Changes.pdf
(both relative to the checkout), --pages 5.

Needs the Debian packages python3-cairo and fonts-dejavu-core, so it must
run under Debian's /usr/bin/python3 (the pyenv python3 on PATH has no cairo):
    apt-get install -y python3-cairo fonts-dejavu-core

The result is a PDF 1.4 on A4 with subset DejaVu fonts embedded together
with their ToUnicode maps, so the Cyrillic text shows, searches and copies
in any viewer. The output is byte for byte reproducible: the dates in its
metadata are fixed and fontconfig is pinned to the DejaVu folder, so a
font installed elsewhere on the machine cannot change the result.
The tool stops with an error when the text does not come out at exactly
--pages pages, so an edit of changes.txt cannot silently change the count.
Markup of the source is described in its own header comment.
"""

import argparse
import os
import sys
import tempfile

FONT_DIR = "/usr/share/fonts/truetype/dejavu"
FAMILY = "DejaVu Sans"
# Fixed so that regenerating from the same text gives the same bytes.
DOC_DATE = "2012-05-14T12:00:00"

MM = 72.0 / 25.4
PAGE_W, PAGE_H = 210 * MM, 297 * MM
LEFT, RIGHT = 22 * MM, 20 * MM
TOP, BOTTOM = 24 * MM, 22 * MM  # body area, header and footer sit outside
TEXT_W = PAGE_W - LEFT - RIGHT

BODY_SIZE = 10.5
BODY_LEAD = 14.2
BULLET_INDENT = 16.0
NOTE_PAD = 8.0
GRAY = (0.45, 0.45, 0.45)
ACCENT = (0.12, 0.25, 0.45)


def pin_fontconfig(tmp):
    # A private fontconfig setup that sees only the DejaVu folder; set
    # before cairo first touches a font.
    conf = os.path.join(tmp, "fonts.conf")
    with open(conf, "w", encoding="utf-8") as f:
        f.write('<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n'
                "<fontconfig><dir>%s</dir><cachedir>%s</cachedir></fontconfig>\n"
                % (FONT_DIR, os.path.join(tmp, "cache")))
    os.environ["FONTCONFIG_FILE"] = conf


class Style:
    def __init__(self, size, bold=False, lead=None, color=(0, 0, 0)):
        self.size = size
        self.bold = bold
        self.lead = lead if lead is not None else size * 1.35
        self.color = color


BODY = Style(BODY_SIZE, lead=BODY_LEAD)
TITLE = Style(30, bold=True, lead=38, color=ACCENT)
SUBTITLE = Style(13, bold=True, lead=18)
RELEASE = Style(14, bold=True, lead=20, color=ACCENT)
SECTION = Style(11, bold=True, lead=16)
SMALL = Style(8.5, color=GRAY)


def set_style(ctx, cairo, st):
    ctx.select_font_face(FAMILY, cairo.FONT_SLANT_NORMAL,
                         cairo.FONT_WEIGHT_BOLD if st.bold else cairo.FONT_WEIGHT_NORMAL)
    ctx.set_font_size(st.size)


def shown(text):
    # No-break spaces only glue words for wrapping; print them as spaces.
    return text.replace("\u00a0", " ")


def wrap(ctx, text, width):
    words = text.split(" ")
    lines, cur = [], ""
    for w in words:
        trial = w if not cur else cur + " " + w
        if not cur or ctx.text_extents(shown(trial)).x_advance <= width:
            cur = trial
        else:
            lines.append(cur)
            cur = w
    if cur:
        lines.append(cur)
    return [shown(x) for x in lines]


class Item:
    """One unbreakable piece of a page: its height, how to draw it at a
    given top y, and whether it must stay on the page of the next item."""

    def __init__(self, height, draw, keep=False, gap=False, outline=None):
        self.height = height
        self.draw = draw
        self.keep = keep
        self.gap = gap
        self.outline = outline


def parse(path):
    out = []
    with open(path, encoding="utf-8") as f:
        for n, raw in enumerate(f, 1):
            line = raw.rstrip("\n").rstrip()
            if line.startswith(";"):
                continue
            for tag in ("###", "##", "#:", "#", "!", "-"):
                if line.startswith(tag + " "):
                    out.append((tag, line[len(tag) + 1:].strip()))
                    break
            else:
                if line.startswith(("#", "!")):
                    sys.exit("%s:%d: unknown markup: %s" % (path, n, line))
                out.append(("p" if line else "", line))
    return out


def build_items(ctx, cairo, elements):
    items = []

    def text_lines(st, lines, x, centered=False, keep_all=False):
        set_style(ctx, cairo, st)
        ext = ctx.font_extents()  # ascent used to place the baseline
        asc = ext[0]
        result = []
        for i, ln in enumerate(lines):
            def draw(c, y, ln=ln):
                set_style(c, cairo, st)
                c.set_source_rgb(*st.color)
                xx = x
                if centered:
                    xx = LEFT + (TEXT_W - c.text_extents(ln).x_advance) / 2
                c.move_to(xx, y + asc + (st.lead - st.size * 1.17) / 2)
                c.show_text(ln)
            result.append(Item(st.lead, draw, keep=keep_all and i < len(lines) - 1))
        return result

    def gap(h):
        items.append(Item(h, lambda c, y: None, gap=True))

    for tag, text in elements:
        if tag == "#":
            set_style(ctx, cairo, TITLE)
            items += text_lines(TITLE, wrap(ctx, text, TEXT_W), LEFT, centered=True, keep_all=True)
            items[-1].keep = True
            gap(4)
        elif tag == "#:":
            set_style(ctx, cairo, SUBTITLE)
            items += text_lines(SUBTITLE, wrap(ctx, text, TEXT_W), LEFT, centered=True, keep_all=True)
        elif tag == "!":
            set_style(ctx, cairo, BODY)
            lines = wrap(ctx, text, TEXT_W - 2 * NOTE_PAD - 4)
            inner = text_lines(BODY, lines, LEFT + NOTE_PAD + 4)
            h = len(inner) * BODY_LEAD + 2 * NOTE_PAD

            def draw_note(c, y, inner=inner, h=h):
                c.set_source_rgb(0.96, 0.94, 0.88)
                c.rectangle(LEFT, y, TEXT_W, h)
                c.fill()
                c.set_source_rgb(0.70, 0.35, 0.10)
                c.rectangle(LEFT, y, 3, h)
                c.fill()
                for k, it in enumerate(inner):
                    it.draw(c, y + NOTE_PAD + k * BODY_LEAD)
            gap(10)
            items.append(Item(h, draw_note))
            gap(6)
        elif tag == "##":
            set_style(ctx, cairo, RELEASE)
            gap(12)
            (head,) = text_lines(RELEASE, [text], LEFT)

            def draw_release(c, y, head=head):
                head.draw(c, y)
                c.set_source_rgb(*ACCENT)
                c.set_line_width(0.8)
                c.move_to(LEFT, y + RELEASE.lead + 1.5)
                c.line_to(LEFT + TEXT_W, y + RELEASE.lead + 1.5)
                c.stroke()
            items.append(Item(RELEASE.lead + 6, draw_release, keep=True, outline=text))
        elif tag == "###":
            gap(4)
            items += text_lines(SECTION, [text], LEFT)
            items[-1].keep = True
        elif tag == "-":
            set_style(ctx, cairo, BODY)
            lines = wrap(ctx, text, TEXT_W - BULLET_INDENT)
            part = text_lines(BODY, lines, LEFT + BULLET_INDENT, keep_all=True)
            first = part[0].draw

            def draw_bullet(c, y, first=first):
                c.set_source_rgb(*ACCENT)
                c.new_path()  # else arc() joins the end of the previous text
                c.arc(LEFT + 5.5, y + BODY_LEAD / 2 + 0.5, 1.8, 0, 6.2832)
                c.fill()
                first(c, y)
            part[0].draw = draw_bullet
            items += part
            gap(2)
        elif tag == "p":
            set_style(ctx, cairo, BODY)
            items += text_lines(BODY, wrap(ctx, text, TEXT_W), LEFT, keep_all=True)
            gap(4)
        else:
            gap(BODY_LEAD / 2)
    return items


def paginate(items):
    avail = PAGE_H - TOP - BOTTOM
    pages, cur, used = [], [], 0.0
    i = 0
    while i < len(items):
        it = items[i]
        if it.gap and not cur:
            i += 1  # no gap at the top of a page
            continue
        # A chain of kept items goes to the next page as a whole, together
        # with the first line after it (no lone headings or split bullets);
        # gaps inside the chain do not end it.
        j, chain = i, 0.0
        while True:
            chain += items[j].height
            if j + 1 >= len(items) or not (items[j].keep or items[j].gap):
                break
            j += 1
        if used + chain > avail and cur:
            pages.append(cur)
            cur, used = [], 0.0
            continue
        cur.append((it, TOP + used))
        used += it.height
        i += 1
    while cur and cur[-1][0].gap:
        cur.pop()
    if cur:
        pages.append(cur)
    return pages


def draw_frame(ctx, cairo, n, total):
    set_style(ctx, cairo, SMALL)
    ctx.set_source_rgb(*SMALL.color)
    y = TOP - 10 * MM
    ctx.move_to(LEFT, y)
    ctx.show_text("Терминалы QZ — список изменений программного обеспечения")
    label = "ОБРАЗЕЦ"
    ctx.move_to(PAGE_W - RIGHT - ctx.text_extents(label).x_advance, y)
    ctx.show_text(label)
    ctx.set_line_width(0.5)
    ctx.move_to(LEFT, y + 4)
    ctx.line_to(PAGE_W - RIGHT, y + 4)
    ctx.stroke()
    footer = "Страница %d из %d" % (n, total)
    set_style(ctx, cairo, Style(9, color=GRAY))
    ctx.move_to((PAGE_W - ctx.text_extents(footer).x_advance) / 2, PAGE_H - BOTTOM + 12 * MM)
    ctx.show_text(footer)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--source", default=os.path.join(root, "resources", "changes.txt"))
    ap.add_argument("--output", default=os.path.join(root, "resources", "Changes.pdf"))
    ap.add_argument("--pages", type=int, default=5,
                    help="required page count (0: accept any)")
    args = ap.parse_args()

    with tempfile.TemporaryDirectory() as tmp:
        pin_fontconfig(tmp)
        try:
            import cairo
        except ImportError:
            sys.exit("error: no cairo module; run with /usr/bin/python3 "
                     "after apt-get install -y python3-cairo")

        elements = parse(args.source)
        tmp_pdf = os.path.join(tmp, "out.pdf")
        surface = cairo.PDFSurface(tmp_pdf, PAGE_W, PAGE_H)
        surface.restrict_to_version(cairo.PDFVersion.VERSION_1_4)
        md = cairo.PDFMetadata
        surface.set_metadata(md.TITLE, "Терминалы QZ — список изменений ПО (образец)")
        surface.set_metadata(md.SUBJECT, "Пример списка изменений программного обеспечения терминалов QZ")
        surface.set_metadata(md.CREATOR, "make_changes_pdf.py")
        surface.set_metadata(md.CREATE_DATE, DOC_DATE)
        surface.set_metadata(md.MOD_DATE, DOC_DATE)
        ctx = cairo.Context(surface)

        pages = paginate(build_items(ctx, cairo, elements))
        if args.pages and len(pages) != args.pages:
            sys.exit("error: the text fills %d pages, %d required; edit %s"
                     % (len(pages), args.pages, args.source))
        for n, page in enumerate(pages, 1):
            draw_frame(ctx, cairo, n, len(pages))
            for it, y in page:
                it.draw(ctx, y)
                if it.outline:
                    surface.add_outline(cairo.PDF_OUTLINE_ROOT, it.outline,
                                        "page=%d pos=[%.1f %.1f]" % (n, LEFT, y), 0)
            ctx.show_page()
        surface.finish()
        with open(tmp_pdf, "rb") as f:
            data = f.read()
    # Written only when complete, so a failed run leaves the old file.
    with open(args.output, "wb") as f:
        f.write(data)
    print("%s: %d pages, %d bytes" % (args.output, len(pages), len(data)))


if __name__ == "__main__":
    main()
