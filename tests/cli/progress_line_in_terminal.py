"""mapsheet-cli's progress line, seen on a real pseudo-terminal.

    /usr/bin/python3 progress_line_in_terminal.py MAPSHEET_CLI

Each row runs a command for more than a second with its standard error on a pseudo-terminal,
fed by a slow pipe or read through one, and replays what reached the terminal on a small screen
model (carriage return, line feed, erase to the end of the line; any other control sequence is
a fault). The line must have been drawn, fit the terminal's width, and leave nothing on the
final screen but the messages; the rows written must be byte for byte those of the same command
with standard error in a file, which must receive nothing.
"""
import fcntl
import os
import re
import struct
import subprocess
import sys
import tempfile
import termios
import threading
import time

CLI = sys.argv[1]
COLUMNS = 48
ERASE = b"\x1b[K"
failures = []


def check(name, condition, detail):
    if not condition:
        failures.append(f"{name}: {detail}")


def final_screen(data):
    """The lines left on a terminal after data, without trailing blanks and empty last lines."""
    rows, row, column = [[]], 0, 0
    i = 0
    while i < len(data):
        if data.startswith(ERASE, i):
            del rows[row][column:]
            i += len(ERASE)
            continue
        byte = data[i]
        i += 1
        if byte == 0x1B or (byte < 0x20 and byte not in (0x0A, 0x0D)):
            raise AssertionError(f"unexpected control byte {byte:#x} at {i - 1}: {data[i-9:i+8]!r}")
        if byte == 0x0D:
            column = 0
        elif byte == 0x0A:
            row += 1
            if row == len(rows):
                rows.append([])
        else:
            line = rows[row]
            line.extend(" " * (column - len(line)))
            line[column:column + 1] = [chr(byte)]
            column += 1
    lines = ["".join(line).rstrip() for line in rows]
    while lines and not lines[-1]:
        lines.pop()
    return lines


def drawn_lines(data):
    """The texts the progress line was drawn with."""
    return [m.decode() for m in re.findall(rb"\r([^\r\n\x1b]+)\x1b\[K", data)]


def feed(pipe, chunks, pause):
    try:
        for chunk in chunks:
            pipe.write(chunk)
            pipe.flush()
            time.sleep(pause)
    except BrokenPipeError:
        pass
    finally:
        try:
            pipe.close()
        except BrokenPipeError:
            pass


def drain(pipe, into, pause, stop_after=None):
    """Reads the pipe slowly; with stop_after, closes it after that many seconds."""
    started = time.monotonic()
    while stop_after is None or time.monotonic() - started < stop_after:
        data = pipe.read1(32768)
        if not data:
            break
        into.append(data)
        time.sleep(pause)
    pipe.close()


def run_on_terminal(args, chunks=(), feed_pause=0.0, read_pause=None, close_after=None,
                    rows_on_terminal=False):
    """Runs the command with standard error on a pseudo-terminal; returns (status, the bytes
    the terminal received, the rows written)."""
    master, slave = os.openpty()
    fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", 24, COLUMNS, 0, 0))
    rows_file = tempfile.TemporaryFile()
    process = subprocess.Popen(
        [CLI, *args],
        stdin=subprocess.PIPE if chunks else subprocess.DEVNULL,
        stdout=slave if rows_on_terminal else
        (subprocess.PIPE if read_pause is not None else rows_file),
        stderr=slave,
        env={**os.environ, "TERM": "xterm"},
        restore_signals=False,  # SIGPIPE stays ignored, so a closed pipe is a failed write
    )
    os.close(slave)
    threads, read = [], []
    if chunks:
        threads.append(threading.Thread(target=feed, args=(process.stdin, chunks, feed_pause)))
    if read_pause is not None:
        threads.append(threading.Thread(target=drain,
                                        args=(process.stdout, read, read_pause, close_after)))
    for thread in threads:
        thread.start()
    terminal = bytearray()
    while True:
        try:
            data = os.read(master, 65536)
        except OSError:  # EIO: every copy of the terminal's other end is closed
            break
        if not data:
            break
        terminal += data
    status = process.wait(timeout=60)
    for thread in threads:
        thread.join()
    os.close(master)
    rows_file.seek(0)
    rows = b"".join(read) if read_pause is not None else rows_file.read()
    return status, bytes(terminal), rows


def check_row(name, args, chunks=(), feed_pause=0.0, read_pause=None, share=False):
    status, terminal, rows = run_on_terminal(args, chunks, feed_pause, read_pause)
    lines = drawn_lines(terminal)
    unit = "sheets" if share else "rows"
    pattern = (rf"[\d,]+ of [\d,]+ {unit} \(\d+%\) in \d+:\d\d, [\d,]+ {unit}/s" if share
               else rf"[\d,]+ {unit} in \d+:\d\d, [\d,]+ {unit}/s")
    check(name, lines, "the line was never drawn")
    check(name, all(re.fullmatch(pattern, line[:COLUMNS - 1]) or len(line) == COLUMNS - 1
                    for line in lines), f"a line reads otherwise: {lines[:3]}")
    check(name, all(len(line) < COLUMNS for line in lines), f"a line is wider than {COLUMNS - 1}")
    check(name, final_screen(terminal) == [], f"left on the screen: {final_screen(terminal)}")
    plain = subprocess.run([CLI, *args], input=b"".join(chunks), capture_output=True)
    check(name, plain.stderr == b"", f"standard error in a file got {plain.stderr[:200]!r}")
    check(name, status == plain.returncode, f"status {status}, in a file {plain.returncode}")
    check(name, rows == plain.stdout, "the rows differ from those of the run without a terminal")
    print(f"{name}: {len(lines)} draws, last {lines[-1] if lines else None!r}")


def point_chunks(count, lines_each, south, west):
    return [b"".join(b"%.7f,%.7f\n" % (south + (k * 7919 + i) % 10000 / 1e4,
                                        west + (k * 104729 + i) % 10000 / 1e4)
                     for i in range(lines_each))
            for k in range(count)]


sheet_numbers = [b"J50E%03d%03d\n" % (1 + i % 12, 1 + i // 12 % 12) for i in range(144)]

check_row("number from a slow pipe", ["number", "--scale", "1:50000"],
          point_chunks(40, 4000, 30.0, 110.0), 0.04)
check_row("square from a slow pipe", ["square", "--scale", "1:5000"],
          point_chunks(32, 1000, 39.5, 116.0), 0.05)
check_row("sheet from a slow pipe", ["sheet"], [b"".join(sheet_numbers) * 4] * 40, 0.04)
check_row("cover read through a slow pipe",
          ["cover", "--scale", "1:5000", "--bbox", "30,110,35,115"], read_pause=0.03,
          share=True)

# A write that fails while the line shows: the message stands whole, nothing else remains.
status, terminal, _ = run_on_terminal(["number", "--scale", "1:50000"],
                                      point_chunks(40, 4000, 30.0, 110.0), 0.04, read_pause=0.0,
                                      close_after=1.4)
check("a failed write", drawn_lines(terminal), "the line was never drawn")
check("a failed write", status == 3, f"status {status}")
check("a failed write",
      final_screen(terminal) == ["mapsheet-cli: cannot write output: Broken pipe"],
      f"the screen reads {final_screen(terminal)}")

# Rows written to the terminal themselves: the line would cut into them, so it stays away.
status, terminal, _ = run_on_terminal(["sheet"], [b"".join(sheet_numbers)] * 30, 0.04,
                                      rows_on_terminal=True)
check("rows on the terminal", b"rows/s" not in terminal and ERASE not in terminal,
      "the line was drawn among the rows")

for failure in failures:
    print("FAIL", failure)
print(f"{6 - len({f.split(':')[0] for f in failures})} passed, "
      f"{len({f.split(':')[0] for f in failures})} failed")
sys.exit(1 if failures else 0)
