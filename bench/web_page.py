"""The page in the browser: its size, its ready time in headless Chromium, the time of a convert
click's update and numberMany's throughput (in Chromium and under node).

    /usr/bin/python3 bench/web_page.py [WEB_DIR]     (default: build-web/web; scripts/build-web)

Ready time is from the start of loading to the page ready for input (window.mapsheetReadyTime),
the best of 5 fresh loads; a click's update is the convert handler with the relayout it forces,
the median of 100 clicks at 1:500; numberMany numbers 1,000,000 random points at 1:500, best of 3.
"""
import os
import statistics
import subprocess
import sys

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(root, "tests", "web"))
from headless_page import open_page  # noqa: E402

web_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "build-web", "web")
files = ["index.html", "page.js", "page.css", "mapsheet.js"]
size = sum(os.path.getsize(os.path.join(web_dir, name)) for name in files)
print(f"page + module: {size} bytes ({size / 1048576:.3f} MiB)")

NUMBER_MANY = """
const n = 1000000, lat = new Float64Array(n), lon = new Float64Array(n);
for (let i = 0; i < n; i++) { lat[i] = Math.random() * 170 - 85; lon[i] = Math.random() * 360 - 180; }
let best = Infinity;
for (let round = 0; round < 3; round++) {
  const t = performance.now(); m.numberMany(lat, lon, '1:500'); best = Math.min(best, performance.now() - t);
}
return n / best * 1000;
"""

ready = []
for _ in range(5):
    driver = open_page(web_dir, 1400)
    ready.append(driver.execute_script("return window.mapsheetReadyTime"))
    driver.quit()
print(f"ready for input: {min(ready):.0f} ms (best of 5; all: {', '.join(f'{t:.0f}' for t in ready)})")

driver = open_page(web_dir, 1400)
try:
    clicks = driver.execute_script("""
const select = document.getElementById('scale'); select.value = '1:500';
select.dispatchEvent(new Event('change'));
const times = [];
for (let i = 0; i < 100; i++) {
  document.getElementById('lat-s').value = String(10 + i % 40);
  const t = performance.now();
  document.getElementById('convert').click();
  document.body.offsetHeight;
  times.push(performance.now() - t);
}
return times;""")
    print(f"convert click update: median {statistics.median(clicks):.2f} ms, max {max(clicks):.2f} ms")
    rate = driver.execute_script("const m = window.mapsheet;" + NUMBER_MANY)
    print(f"numberMany in Chromium: {rate / 1e6:.2f} M points/s")
finally:
    driver.quit()

node_script = ("require(process.argv[1])().then((m) => { const f = new Function('m', process.argv[2]);"
               " console.log((f(m) / 1e6).toFixed(2)); })")
node_rate = subprocess.run(["node", "-e", node_script, os.path.join(web_dir, "mapsheet.js"), NUMBER_MANY],
                           capture_output=True, text=True).stdout.strip()
print(f"numberMany under node: {node_rate} M points/s")
