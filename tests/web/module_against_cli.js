// The page's module under node against mapsheet-cli: the same points at every scale in both
// numberings, sheet lookups, angles, the text readers and the faults the page shows.
//   node module_against_cli.js MAPSHEET_JS MAPSHEET_CLI
// Exit 77 (skipped) when the module has not been built.
'use strict';
const fs = require('fs');
const { execFileSync } = require('child_process');
const assert = require('assert/strict');

const [modulePath, cli] = process.argv.slice(2);
if (!fs.existsSync(modulePath)) {
  console.log(`skipped: ${modulePath} is not built (scripts/build-web)`);
  process.exit(77);
}
const createMapsheet = require(modulePath);

const runCli = (args, input) => execFileSync(cli, args, { input, maxBuffer: 1 << 28 }).toString();

// A fixed linear congruential sequence, so that a failure can be run again.
let seed = 20260;
const random = () => { seed = (seed * 1103515245 + 12345) % 2147483648; return seed / 2147483648; };

// Points anywhere in the series, and a fifth of them on the 1/8-second lattice, where the
// line rule decides (sheet corners and edges at every scale lie on it).
function points(count) {
  const lat = new Float64Array(count), lon = new Float64Array(count);
  for (let i = 0; i < count; i++) {
    lat[i] = random() * 176 - 88;
    lon[i] = random() * 360 - 180;
    if (i % 5 === 0) {
      lat[i] = Math.round(lat[i] * 480) / 480;  // whole 7.5 seconds
      lon[i] = Math.round(lon[i] * 240) / 240;  // whole 15 seconds
    }
  }
  return { lat, lon };
}

function parseCsvNumbers(text) {
  return text.trim().split('\n').slice(1).map((line) => {
    const fields = line.split(',');
    return { number: fields[2], oldNumber: fields[3] };
  });
}

createMapsheet().then((m) => {
  const scales = m.scales().map((s) => s.value);
  assert.equal(scales.length, 12);

  const count = 100000;
  const { lat, lon } = points(count);
  const input = Array.from(lat, (value, i) => `${value},${lon[i]}`).join('\n') + '\n';
  const sampled = [];
  for (const scale of scales) {
    const expected = parseCsvNumbers(runCli(['number', '--scale', scale], input));
    assert.equal(expected.length, count, scale);
    const many = m.numberMany(lat, lon, scale);
    for (let i = 0; i < count; i++) {
      const where = `${scale} at ${lat[i]},${lon[i]}`;
      assert.equal(m.number(lat[i], lon[i], scale) ?? '', expected[i].number, where);
      assert.equal(m.oldNumber(lat[i], lon[i], scale) ?? '', expected[i].oldNumber, where);
      assert.equal(many[i], expected[i].number, `numberMany ${where}`);
    }
    for (let i = 0; i < 50; i++) sampled.push(expected[i * 997].number, expected[i * 991].oldNumber);
  }

  // Sheet lookups: each number the CLI wrote, of either numbering, read back by the module and
  // by `mapsheet-cli sheet`, which must agree on the scale, both numbers and the bounds.
  const numbers = sampled.filter((n) => n !== '');
  const rows = runCli(['sheet'], numbers.join('\n') + '\n').trim().split('\n').slice(1);
  rows.forEach((row, i) => {
    const [given, scale, newNumber, oldNumber, south, west, north, east] = row.split(',');
    const sheet = m.sheet(numbers[i]);
    assert.equal(given, numbers[i]);
    assert.equal(sheet.scale, scale, given);
    assert.ok([newNumber, oldNumber].includes(given), given);
    assert.deepEqual([sheet.bounds.south, sheet.bounds.west, sheet.bounds.north, sheet.bounds.east],
      [south, west, north, east].map(Number), given);
    assert.deepEqual(m.sheet(String(sheet.id)), sheet, `id of ${given}`);
    assert.equal(m.sheetId(given), sheet.id);
  });

  // The hierarchy: children nest back into their parent and tile it; the ring-1 neighbours
  // are the nine cells the window's neighbourhood shows, two engines agreeing.
  const hierarchyRows = {
    '1:100,000 in 1:1,000,000': ['J50', '1:100000', 12 * 12],
    '1:50,000 in 1:100,000': ['J50D001001', '1:50000', 4],
    '1:500 in 1:1000': ['J50J00010001', '1:500', 4],
    '1:200,000 meeting a 1:250,000 sheet': ['J50C001001', '1:200000', 4],
  };
  for (const [name, [number, scale, count]] of Object.entries(hierarchyRows)) {
    const children = m.children(number, scale);
    assert.equal(children.length, count, name);
    const parent = m.sheet(number);
    if (scale !== '1:200000') {
      for (const child of children) assert.equal(m.parent(child.number, parent.scale).number, number, name);
      const area = children.reduce((sum, child) => sum + child.area, 0);
      assert.ok(Math.abs(area - parent.area) < 1e-6 * parent.area, `${name}: areas`);
    }
  }
  assert.equal(m.parent('J50C001001', '1:200000'), null, '1:250,000 does not nest in 1:200,000');
  for (const [name, [lat, lon, scale]] of Object.entries({
    'Beijing at 1:50,000': [39.9042, 116.4074, '1:50000'],
    'southern hemisphere at 1:10,000': [-33.87, 151.21, '1:10000'],
    'west of Greenwich at 1:1,000,000': [40.7, -74.0, '1:1000000'],
  })) {
    const view = m.neighbourhood(lat, lon, scale);
    const ring = m.neighbours(m.number(lat, lon, scale), 1).map((sheet) => sheet.number);
    assert.deepEqual(ring, view.cells.map((cell) => cell.number), name);
  }

  // The window's own picture (docs/sheet_window.png): 118°30′ E, 39° N at 1:500,000.
  const pictured = m.neighbourhood(39, 118.5, '1:500000');
  assert.deepEqual(pictured.cells.map((cell) => `${cell.number} ${cell.oldNumber}`), [
    'K50B002001 K-50-C', 'K50B002002 K-50-D', 'K51B002001 K-51-C',
    'J50B001001 J-50-A', 'J50B001002 J-50-B', 'J51B001001 J-51-A',
    'J50B002001 J-50-C', 'J50B002002 J-50-D', 'J51B002001 J-51-C']);
  assert.deepEqual(pictured.latitudes, ['36°00′00.00″', '38°00′00.00″', '40°00′00.00″', '42°00′00.00″']);
  assert.deepEqual(pictured.longitudes, ['114°00′00.00″', '117°00′00.00″', '120°00′00.00″', '123°00′00.00″']);
  assert.deepEqual(pictured.centre.lonBoxes, { d: '118', m: '30', s: '00.00' });

  // Angles, named rows: the module's five forms against `mapsheet-cli angle --format json`.
  const angleRows = {
    'packed value': ['45.52566879', 'packed'],
    'marked text': ['45°52′56.6879″', 'marked'],
    'marked text without seconds': ['45°52′', 'marked'],
    'decimal degrees': ['45.882413305556', 'degrees'],
    'negative decimal degrees': ['-0.05', 'degrees'],
    'radians': ['0.8007991809428', 'radians'],
    'three boxes': ['45 52 56.6879', 'dms'],
    'seconds that carry': ['10 59 59.9999999999999999999999999', 'dms'],
  };
  for (const [name, [value, form]] of Object.entries(angleRows)) {
    const cliArgs = ['angle', '--from', form, '--format', 'json', ...value.split(' ')];
    const expected = JSON.parse(runCli(cliArgs));
    const got = m.angle(value, form);
    assert.deepEqual([got['dms-d'], got['dms-m'], got['dms-s'], got.packed, got.marked, got.degrees, got.radians],
      [expected.degrees, expected.minutes, expected.seconds, expected.packed, expected.marked,
        expected.decimal_degrees, expected.radians], name);
  }

  // The position text: every form the CLI reads names the sheet the CLI names.
  const positionRows = {
    'blank-separated decimals': '39.9042 116.4074',
    'comma-separated decimals': '39.9042,116.4074',
    'marked text': '39°54′15″ 116°24′27″',
    'southern and western': '-33.5 -70.25',
  };
  for (const [name, text] of Object.entries(positionRows)) {
    const point = m.readPosition(text);
    const expected = parseCsvNumbers(runCli(['number', '--scale', '1:10000'], text + '\n'))[0];
    assert.equal(m.number(point.lat, point.lon, '1:10000'), expected.number, name);
  }

  // Faults the page shows beside its boxes: each names what is wrong.
  const faultRows = {
    'letters in the position': [() => m.readPosition('39.9 abc'), /longitude/],
    'one coordinate only': [() => m.readPosition('39.9'), /latitude and a longitude/],
    'malformed number': [() => m.sheet('J50E0010'), /./],
    'zone beyond its row': [() => m.sheet('J61'), /zone 61/],
    'unknown scale': [() => m.number(39, 116, '1:30000'), /unknown scale/],
    'box upside down': [() => m.coverCount(41, 116, 40, 117, '1:50000', 'meets'), /south 41/],
    'cover too large': [() => m.cover(0, 0, 80, 170, '1:10000', 'meets'), /sheets, more than 100000/],
    'unknown cover mode': [() => m.cover(39, 116, 40, 117, '1:50000', 'inside'), /meets, centre or within/],
    'no such id': [() => m.sheet('12345'), /no sheet/],
    'angle beyond the decimal type': [() => m.angle('9'.repeat(40), 'degrees'), /no angle/],
  };
  for (const [name, [call, message]] of Object.entries(faultRows)) {
    assert.throws(call, message, name);
  }
  assert.equal(m.number(88, 0, '1:50000'), null, 'beyond the series');
  assert.equal(m.coverCount(0, 0, 80, 170, '1:10000', 'meets') > 100000, true);

  // Cover agrees with the CLI's cover count for a box, and lists as many sheets as it counts.
  const box = m.readBox('39.5 115.75 40.25 116.8');
  const covered = m.cover(box.south, box.west, box.north, box.east, '1:25000', 'meets');
  assert.equal(covered.length, m.coverCount(box.south, box.west, box.north, box.east, '1:25000', 'meets'));
  assert.deepEqual(m.readBox('39.5,115.75,40.25,116.8'), box);

  console.log(`module agrees with ${cli} on ${count} points at 12 scales, ${numbers.length} lookups`);
}).catch((error) => { console.error(error); process.exit(1); });
