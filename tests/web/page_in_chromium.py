"""The page in headless Chromium, driven by its element ids and checked against mapsheet-cli.

    /usr/bin/python3 page_in_chromium.py WEB_DIR MAPSHEET_CLI

Exit 77 (skipped) when the page is not built or Chromium, its driver or Selenium is missing.
"""
import csv
import io
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from headless_page import SkipPage, open_page  # noqa: E402

WEB_DIR, CLI = sys.argv[1], sys.argv[2]
failures = []


def cli_rows(*args, text=None):
    output = subprocess.run([CLI, *args], input=text, capture_output=True, text=True).stdout
    return list(csv.DictReader(io.StringIO(output)))


def check(name, got, expected):
    if got != expected:
        failures.append(f"{name}: got {got!r}, expected {expected!r}")


def cells(driver):
    return [(driver.find_element("css selector", f"#cell-{k} .new").text,
             driver.find_element("css selector", f"#cell-{k} .old").text) for k in range(9)]


def type_into(driver, element_id, text):
    box = driver.find_element("id", element_id)
    box.clear()
    box.send_keys(text)


def choose_scale(driver, select_id, value):
    driver.execute_script(
        "const s = document.getElementById(arguments[0]); s.value = arguments[1];"
        "s.dispatchEvent(new Event('change'));", select_id, value)


def expected_cells(lat, lon, scale):
    """The nine sheets by the CLI: its sheet of the point, then the points one sheet height and
    width away from that sheet's centre (rows away from the zone-width changes)."""
    centre_number = cli_rows("number", "--scale", scale, str(lat), str(lon))[0]["new"]
    sheet = cli_rows("sheet", centre_number)[0]
    south, west, north, east = (float(sheet[k]) for k in ("south", "west", "north", "east"))
    height, width = north - south, east - west
    mid_lat, mid_lon = (south + north) / 2, (west + east) / 2
    points = "".join(f"{mid_lat + dy * height},{mid_lon + dx * width}\n"
                     for dy in (1, 0, -1) for dx in (-1, 0, 1))
    return [(row["new"], row["old"]) for row in cli_rows("number", "--scale", scale, text=points)]


def main():
    try:
        driver = open_page(WEB_DIR, 1400)
    except SkipPage as reason:
        print(f"skipped: {reason}")
        return 77
    try:
        # Typing a position in each form the CLI reads, at several scales.
        positions = {
            "Beijing, blanks, 1:50,000": ("39.9042 116.4074", "1:50000", 39.9042, 116.4074),
            "Beijing, comma, 1:1,000,000": ("39.9042,116.4074", "1:1000000", 39.9042, 116.4074),
            "marked text, 1:10,000": ("39°54′15″ 116°24′27″", "1:10000", 39.904166666666667, 116.4075),
            "southern hemisphere, 1:250,000": ("-33.87 151.21", "1:250000", -33.87, 151.21),
            "western hemisphere, 1:500": ("40.7128 -74.006", "1:500", 40.7128, -74.006),
            "on a sheet corner, 1:100,000": ("40 117", "1:100000", 40, 117),
        }
        for name, (text, scale, lat, lon) in positions.items():
            choose_scale(driver, "scale", scale)
            type_into(driver, "position", text)
            driver.find_element("id", "convert").click()
            check(name, cells(driver), expected_cells(lat, lon, scale))

        # Stepping: the east neighbour becomes the middle, then the north one.
        choose_scale(driver, "scale", "1:25000")
        type_into(driver, "position", "30.5 104.1")
        driver.find_element("id", "convert").click()
        before = cells(driver)
        driver.find_element("id", "step-east").click()
        check("step east", cells(driver)[4], before[5])
        middle = cells(driver)
        driver.find_element("id", "step-north").click()
        check("step north", cells(driver)[4], middle[1])

        # The degree boxes, decimal degrees split as the window splits them.
        for box, text in (("lat-d", "31.25"), ("lat-m", ""), ("lat-s", ""), ("lon-d", "121"),
                          ("lon-m", "28"), ("lon-s", "30")):
            type_into(driver, box, text)
        driver.find_element("id", "convert").click()
        check("degree boxes", cells(driver), expected_cells(31.25, 121.475, "1:25000"))

        # Looking up numbers of either numbering, and an id.
        for name, number in {"new number": "J50E001010", "old number": "J-50-5-A-1",
                             "old 1:100,000 number": "K-51-137"}.items():
            type_into(driver, "sheet-number", number)
            driver.find_element("id", "sheet-show").click()
            row = cli_rows("sheet", number)[0]
            check(name, cells(driver)[4], (row["new"], row["old"]))
        sheet_id = driver.execute_script("return mapsheet.sheetId('J50E001010')")
        type_into(driver, "sheet-number", str(int(sheet_id)))
        driver.find_element("id", "sheet-show").click()
        check("id", cells(driver)[4][0], "J50E001010")

        # Angles: typing into one box fills the others as mapsheet-cli angle does.
        driver.find_element("css selector", "[data-tab=tab-angle]").click()
        angle_rows = {"decimal degrees": ("angle-degrees", "45.882413305556", "degrees"),
                      "packed": ("angle-packed", "45.52566879", "packed"),
                      "radians": ("angle-radians", "0.8007991809428", "radians")}
        for name, (box, value, form) in angle_rows.items():
            type_into(driver, box, value)
            shown = driver.execute_script("return document.getElementById('angle-marked').value")
            expected = subprocess.run([CLI, "angle", "--from", form, value], capture_output=True,
                                      text=True).stdout.splitlines()[2].split(" ", 1)[1]
            check(f"angle {name}", shown, expected)

        # Covering a box: the count and the sheets the CLI gives.
        driver.find_element("css selector", "[data-tab=tab-cover]").click()
        type_into(driver, "cover-box", "39.5 115.75 40.25 116.8")
        choose_scale(driver, "cover-scale", "1:25000")
        driver.find_element("id", "cover-run").click()
        expected = cli_rows("cover", "--bbox", "39.5,115.75,40.25,116.8", "--scale", "1:25000")
        check("cover count", driver.find_element("id", "cover-count").text, f"共 {len(expected)} 幅")
        first = driver.find_element("css selector", "#cover-table tbody tr td").text
        check("cover first sheet", first, expected[0]["new"])

        # Bad input: a message beside the box names the fault; nothing reaches the console.
        type_into(driver, "cover-box", "0 0 80 170")
        choose_scale(driver, "cover-scale", "1:10000")
        driver.find_element("id", "cover-run").click()
        fault = driver.find_element("id", "cover-fault").text
        check("cover too large names its count", "超过 100000 幅" in fault and "共 " in fault, True)
        driver.find_element("css selector", "[data-tab=tab-sheet]").click()
        faults = {"letters in a degree box": ("lat-d", "3x", "lat-fault"),
                  "latitude out of range": ("lat-d", "95", "lat-fault"),
                  "malformed number": ("sheet-number", "J50E00101", "sheet-fault"),
                  "letters in the position": ("position", "39.9 abc", "position-fault")}
        for name, (box, text, fault_id) in faults.items():
            type_into(driver, box, text)
            if box == "sheet-number":
                driver.find_element("id", "sheet-show").click()
            elif box == "position":
                driver.find_element("id", "convert").click()
            check(name, driver.find_element("id", fault_id).text != "", True)
        # At the edge of the series: cells beyond 88 degrees stay empty, the north step is off.
        choose_scale(driver, "scale", "1:1000000")
        type_into(driver, "position", "86 10")
        driver.find_element("id", "convert").click()
        check("beyond 88 degrees", [cell[0] for cell in cells(driver)[:3]], ["", "", ""])
        check("no step north", driver.find_element("id", "step-north").is_enabled(), False)
        severe = [entry for entry in driver.get_log("browser") if entry["level"] == "SEVERE"]
        check("console errors", severe, [])
    finally:
        driver.quit()
    for failure in failures:
        print(failure)
    return 1 if failures else 0


sys.exit(main())
