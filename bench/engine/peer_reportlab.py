#!/usr/bin/python3
"""The benchmark report built with ReportLab (platypus), as a peer: one
table per group with its subtotal, a grand total, and a two-pass canvas for
"Page X of Y".  Reads the rows the engine's benchmark wrote; prints seconds."""
import resource, sys, time
from reportlab.lib import colors
from reportlab.lib.pagesizes import letter
from reportlab.lib.styles import getSampleStyleSheet
from reportlab.lib.units import mm
from reportlab.pdfgen import canvas
from reportlab.platypus import Paragraph, SimpleDocTemplate, Table, TableStyle


class NumberedCanvas(canvas.Canvas):
    def __init__(self, *args, **kwargs):
        canvas.Canvas.__init__(self, *args, **kwargs)
        self._saved = []

    def showPage(self):
        self._saved.append(dict(self.__dict__))
        self._startPage()

    def save(self):
        total = len(self._saved)
        for state in self._saved:
            self.__dict__.update(state)
            self.setFont("Helvetica", 9)
            self.drawRightString(letter[0] - 36, 24, "Page %d of %d" % (self._pageNumber, total))
            canvas.Canvas.showPage(self)
        canvas.Canvas.save(self)


def main(rows_file, out):
    start = time.perf_counter()
    groups = {}
    order = []
    for line in open(rows_file, encoding="utf-8"):
        dept, code, patient, day, qty, price, amount = line.rstrip("\n").split("\t")
        if dept not in groups:
            groups[dept] = []
            order.append(dept)
        groups[dept].append((code, patient, day, int(qty), float(price), float(amount)))
    read = time.perf_counter() - start

    start = time.perf_counter()
    styles = getSampleStyleSheet()
    story = [Paragraph("St. Brigid's Test Hospital", styles["Title"]),
             Paragraph("Charges by Department", styles["Heading2"])]
    widths = [20 * mm, 55 * mm, 25 * mm, 15 * mm, 28 * mm, 32 * mm]
    style = TableStyle([("FONT", (0, 0), (-1, -1), "Helvetica", 9),
                        ("FONT", (0, 0), (-1, 0), "Helvetica-Bold", 9),
                        ("FONT", (0, -1), (-1, -1), "Helvetica-Bold", 9),
                        ("ALIGN", (3, 0), (-1, -1), "RIGHT"),
                        ("LINEBELOW", (0, 0), (-1, 0), 0.5, colors.black),
                        ("LINEABOVE", (0, -1), (-1, -1), 0.5, colors.black)])
    grand_qty = 0
    grand_amount = 0.0
    for dept in order:
        story.append(Paragraph("Department " + dept, styles["Heading4"]))
        data = [["Code", "Patient", "Date", "Qty", "Price", "Amount"]]
        qty = 0
        amount = 0.0
        for code, patient, day, q, p, a in groups[dept]:
            data.append([code, patient, day, "{:,}".format(q), "{:,.2f}".format(p), "{:,.2f}".format(a)])
            qty += q
            amount += a
        data.append(["Total Department " + dept, "", "", "{:,}".format(qty), "", "{:,.2f}".format(amount)])
        grand_qty += qty
        grand_amount += amount
        story.append(Table(data, colWidths=widths, style=style, repeatRows=1))
    story.append(Table([["Grand Total", "", "", "{:,}".format(grand_qty), "", "{:,.2f}".format(grand_amount)]],
                       colWidths=widths, style=style))
    doc = SimpleDocTemplate(out, pagesize=letter, leftMargin=36, rightMargin=36, topMargin=36, bottomMargin=36)
    doc.build(story, canvasmaker=NumberedCanvas)
    build = time.perf_counter() - start
    peak = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024.0
    print("reportlab read=%.3f pdf=%.3f peak_mb=%.1f" % (read, build, peak))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
