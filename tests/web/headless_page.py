"""Opens the built page in a throwaway headless Chromium (a fresh profile, no network use) and
waits until window.mapsheetReady has resolved. Shared by the page test, the screenshots and
the page benchmark."""
import os
import shutil
import tempfile

CHROMIUM_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update", "--disable-sync"]


class SkipPage(Exception):
    pass


def open_page(web_dir, width, height=1000):
    index = os.path.join(os.path.abspath(web_dir), "index.html")
    if not os.path.exists(index):
        raise SkipPage(f"{index} is not built (scripts/build-web)")
    try:
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service
    except ImportError:
        raise SkipPage("python3-selenium is not installed")
    chromium = shutil.which("chromium")
    chromedriver = shutil.which("chromedriver")
    if not chromium or not chromedriver:
        raise SkipPage("chromium or chromium-driver is not installed")
    options = webdriver.ChromeOptions()
    for flag in CHROMIUM_FLAGS:
        options.add_argument(flag)
    profile = tempfile.mkdtemp(prefix="mapsheet-chromium-")
    options.add_argument(f"--user-data-dir={profile}")
    options.binary_location = chromium
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(service=Service(chromedriver), options=options)
    quit_driver = driver.quit

    def quit_and_clean():
        quit_driver()
        shutil.rmtree(profile, ignore_errors=True)

    driver.quit = quit_and_clean
    driver.set_window_size(width, height)
    driver.get("file://" + index)
    driver.execute_async_script("window.mapsheetReady.then(() => arguments[0]())")
    return driver
