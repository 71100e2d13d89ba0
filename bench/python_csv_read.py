#!/usr/bin/env python3
"""Python's csv reader on the CSV file of 100,000 records that bench_spreadsheets
loads: writes the same records, then times reading them all into lists, and
prints the median of five runs in milliseconds."""
import csv, os, statistics, sys, tempfile, time

ROWS = 100000
path = os.path.join(tempfile.mkdtemp(), "in.csv")
with open(path, "w", newline="", encoding="utf-8-sig") as f:
    w = csv.writer(f)
    w.writerow(["Id_barcode", "Seed", "BatchNo", "Packet", "Inventory", "Total_Quantity",
                "Location", "Comment"])
    for i in range(ROWS):
        w.writerow(["ID%d" % i, "Wheat", str(i % 20 + 1), "50", str(i), "1000",
                    "Shelf %d" % (i % 9), "comment %d" % i])
times = []
for _ in range(5):
    start = time.perf_counter()
    with open(path, newline="", encoding="utf-8-sig") as f:
        rows = list(csv.reader(f))
    times.append((time.perf_counter() - start) * 1000)
    assert len(rows) == ROWS + 1
os.remove(path)
print("python csv.reader, %d rows: median %.0f ms (runs: %s)" %
      (ROWS, statistics.median(times), ", ".join("%.0f" % t for t in times)))
