"""Screenshots of the page's three tabs at 360 and 1,400 px wide, for README.md.

    /usr/bin/python3 docs/web_screenshots.py [WEB_DIR]    (default: build-web/web)
"""
import os
import sys

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(root, "tests", "web"))
from headless_page import open_page  # noqa: E402

web_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "build-web", "web")
for width in (360, 1400):
    driver = open_page(web_dir, width, 900)
    try:
        driver.find_element("id", "position").send_keys("39.9042 116.4074")
        driver.find_element("id", "convert").click()
        tabs = {"sheet": None, "angle": "angle-degrees", "cover": "cover-box"}
        for tab, box in tabs.items():
            driver.find_element("css selector", f"[data-tab=tab-{tab}]").click()
            if tab == "angle":
                driver.find_element("id", box).send_keys("39.9042")
            elif tab == "cover":
                driver.find_element("id", box).send_keys("39.5 115.75 40.25 116.8")
                driver.find_element("id", "cover-run").click()
            height = driver.execute_script("return document.documentElement.scrollHeight")
            driver.set_window_size(width, min(max(height, 600), 2400))
            driver.save_screenshot(os.path.join(root, "docs", f"web_{tab}_{width}.png"))
            driver.set_window_size(width, 900)
    finally:
        driver.quit()
