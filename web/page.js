// The page: reads the boxes, calls the module `mapsheet` and writes what it returns. Every
// rule (sheet lines, numbers, stepping, scale notes, angle forms, reading typed text) is the
// module's; a fault the module reports is shown beside its box, never thrown to the console.
'use strict';

const $ = (id) => document.getElementById(id);

// Runs a module call; a fault goes into the message element and gives null.
function attempt(faultId, call) {
  const fault = $(faultId);
  try {
    const result = call();
    fault.textContent = '';
    return result;
  } catch (error) {
    fault.textContent = error.message;
    return null;
  }
}

function download(link, name, type, text) {
  if (link.href.startsWith('blob:')) URL.revokeObjectURL(link.href);
  link.href = URL.createObjectURL(new Blob([text], { type }));
  link.download = name;
}

function polygonFeature(sheet) {
  const b = sheet.bounds;
  return {
    type: 'Feature',
    properties: { number: sheet.number, old_number: sheet.oldNumber, scale: sheet.scale, id: sheet.id },
    geometry: { type: 'Polygon', coordinates: [[[b.west, b.south], [b.east, b.south],
      [b.east, b.north], [b.west, b.north], [b.west, b.south]]] },
  };
}

function featureCollection(sheets) {
  return JSON.stringify({ type: 'FeatureCollection', features: sheets.map(polygonFeature) });
}

const escapeXml = (text) => String(text).replace(/[<>&"]/g, (c) => `&#${c.charCodeAt(0)};`);

// The neighbourhood drawn as SVG: the nine frames with both numbers, the grid-line
// coordinates and the point.
function neighbourhoodSvg(view, point, scaleName) {
  const cellW = 160, cellH = 60, left = 100, top = 40;
  const lines = [`<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 600 300" font-family="sans-serif">`,
    `<text x="300" y="24" text-anchor="middle" font-size="16">${escapeXml(scaleName)} 接图表</text>`];
  view.cells.forEach((cell, k) => {
    const x = left + (k % 3) * cellW, y = top + Math.floor(k / 3) * cellH;
    lines.push(`<rect x="${x}" y="${y}" width="${cellW}" height="${cellH}" fill="${k === 4 ? '#fff8d0' : '#fff'}" stroke="#000"/>`,
      `<text x="${x + cellW / 2}" y="${y + 26}" text-anchor="middle" font-size="14" font-weight="bold">${escapeXml(cell.number)}</text>`,
      `<text x="${x + cellW / 2}" y="${y + 46}" text-anchor="middle" font-size="12">${escapeXml(cell.oldNumber)}</text>`);
  });
  view.latitudes.forEach((text, i) => lines.push(
    `<text x="${left - 4}" y="${top + (3 - i) * cellH + 4}" text-anchor="end" font-size="11">${escapeXml(text)}</text>`));
  view.longitudes.forEach((text, i) => lines.push(
    `<text x="${left + i * cellW}" y="${top + 3 * cellH + 16}" text-anchor="middle" font-size="11">${escapeXml(text)}</text>`));
  const [south, , , north] = view.latitudeLines, [west, , , east] = view.longitudeLines;
  const px = left + 3 * cellW * (point.lon - west) / (east - west);
  const py = top + 3 * cellH * (north - point.lat) / (north - south);
  lines.push(`<circle cx="${px.toFixed(1)}" cy="${py.toFixed(1)}" r="4" fill="#c00"/>`, '</svg>');
  return lines.join('\n');
}

function startPage(mapsheet) {
  const scales = mapsheet.scales();
  for (const select of [$('scale'), $('cover-scale')]) {
    for (const scale of scales) select.add(new Option(scale.name, scale.value));
    select.value = '1:50000';
  }

  // Tabs.
  for (const tab of document.querySelectorAll('.tabs button')) {
    tab.addEventListener('click', () => {
      for (const other of document.querySelectorAll('.tabs button')) {
        other.classList.toggle('chosen', other === tab);
        $(other.dataset.tab).hidden = other !== tab;
      }
    });
  }

  // 分幅与编号
  let current = null;  // {view, point} of the grid shown
  let positionTyped = false;  // the one-text position was typed after the boxes

  function showNotes() {
    const scale = scales.find((s) => s.value === $('scale').value);
    $('scale-notes').textContent = scale.notes.join('\n');
    $('scale-example').textContent = scale.example;
    $('standard-line').textContent = scale.standardLine;
  }

  function show(lat, lon) {
    const view = attempt('point-fault', () => mapsheet.neighbourhood(lat, lon, $('scale').value));
    if (view === null) {
      if ($('point-fault').textContent === '') {
        $('point-fault').textContent = '该点没有图幅：纬度须在 -88° 与 88° 之间，经度在 -180° 与 180° 之间';
      }
      return false;
    }
    const scaleName = scales.find((s) => s.value === $('scale').value).name;
    view.cells.forEach((cell, k) => {
      $(`cell-${k}`).querySelector('.new').textContent = cell.number;
      $(`cell-${k}`).querySelector('.old').textContent = cell.oldNumber;
    });
    view.latitudes.forEach((text, i) => { $(`lat-${i}`).textContent = text; });
    view.longitudes.forEach((text, i) => { $(`lon-${i}`).textContent = text; });
    for (const [axis, boxes] of [['lat', view.centre.latBoxes], ['lon', view.centre.lonBoxes]]) {
      $(`${axis}-d`).value = boxes.d; $(`${axis}-m`).value = boxes.m; $(`${axis}-s`).value = boxes.s;
    }
    for (const direction of ['north', 'south', 'west', 'east']) {
      $(`step-${direction}`).disabled = view.steps[direction] === null;
    }
    current = { view, point: view.centre };
    const svg = neighbourhoodSvg(view, { lat, lon }, scaleName);
    $('drawing').innerHTML = svg;
    download($('save-svg'), '接图表.svg', 'image/svg+xml', svg);
    // Cells beyond the poles or the series have no number and no sheet.
    const sheets = view.cells.filter((cell) => cell.number !== '').map((cell) => mapsheet.sheet(cell.number));
    download($('save-geojson'), '接图表.geojson', 'application/geo+json', featureCollection(sheets));
    return true;
  }

  function convert() {
    if (positionTyped) {
      const point = attempt('position-fault', () => mapsheet.readPosition($('position').value));
      if (point !== null) show(point.lat, point.lon);
      return;
    }
    const degrees = (axis) => mapsheet.degreesFromBoxes(
      $(`${axis}-d`).value, $(`${axis}-m`).value, $(`${axis}-s`).value, axis === 'lat');
    show(degrees('lat'), degrees('lon'));
  }

  for (const axis of ['lat', 'lon']) {
    for (const part of ['d', 'm', 's']) {
      const box = $(`${axis}-${part}`);
      box.addEventListener('input', () => {
        positionTyped = false;
        const filtered = mapsheet.positionBox(box.id, box.value);
        if (filtered.text !== box.value) box.value = filtered.text;
        $(`${axis}-fault`).textContent = filtered.fault;
      });
      box.addEventListener('keydown', (event) => { if (event.key === 'Enter') convert(); });
    }
  }
  $('position').addEventListener('input', () => { positionTyped = true; });
  $('position').addEventListener('keydown', (event) => { if (event.key === 'Enter') convert(); });
  $('convert').addEventListener('click', convert);
  $('scale').addEventListener('change', () => {
    showNotes();
    if (current) show(current.point.lat, current.point.lon);
  });
  for (const direction of ['north', 'south', 'west', 'east']) {
    $(`step-${direction}`).addEventListener('click', () => {
      const next = current && current.view.steps[direction];
      if (next) show(next.lat, next.lon);
    });
  }

  function showSheet() {
    const sheet = attempt('sheet-fault', () => mapsheet.sheet($('sheet-number').value));
    if (sheet === null) return;
    const d = sheet.boundsDms;
    $('sheet-details').textContent =
      `${sheet.scaleName}  新编号 ${sheet.number}  旧编号 ${sheet.oldNumber || '（无）'}  id ${sheet.id}\n` +
      `南 ${d.south}  北 ${d.north}  西 ${d.west}  东 ${d.east}\n` +
      `中心 ${sheet.centre.lat.toFixed(6)}, ${sheet.centre.lon.toFixed(6)}  面积 ${(sheet.area / 1e6).toFixed(3)} km²`;
    $('scale').value = sheet.scale;
    showNotes();
    show(sheet.centre.lat, sheet.centre.lon);
  }
  $('sheet-show').addEventListener('click', showSheet);
  $('sheet-number').addEventListener('keydown', (event) => { if (event.key === 'Enter') showSheet(); });

  // 角度转换: every box's change runs the angle window's conversion.
  const angleBoxes = ['dms-d', 'dms-m', 'dms-s', 'packed', 'marked', 'degrees', 'radians'];
  for (const name of angleBoxes) {
    $(`angle-${name}`).addEventListener('input', () => {
      const texts = {};
      for (const other of angleBoxes) texts[other] = $(`angle-${other}`).value;
      const result = attempt('angle-fault', () => mapsheet.angleBoxes(texts, name));
      if (result === null) return;
      for (const other of angleBoxes) {
        if ($(`angle-${other}`).value !== result[other]) $(`angle-${other}`).value = result[other];
      }
      $('angle-fault').textContent = result.fellBack && texts[name] !== '' ? '不是可换算的角度' : '';
    });
  }

  // 覆盖: counted first, refused over the module's limit with the count.
  function runCover() {
    const tbody = $('cover-table').querySelector('tbody');
    tbody.replaceChildren();
    $('cover-csv').hidden = $('cover-geojson').hidden = true;
    $('cover-count').textContent = '';
    const box = attempt('cover-fault', () => mapsheet.readBox($('cover-box').value));
    if (box === null) return;
    const args = [box.south, box.west, box.north, box.east, $('cover-scale').value, $('cover-mode').value];
    const count = attempt('cover-fault', () => mapsheet.coverCount(...args));
    if (count === null) return;
    $('cover-count').textContent = `共 ${count} 幅`;
    const sheets = attempt('cover-fault', () => mapsheet.cover(...args));
    if (sheets === null) {
      $('cover-fault').textContent = `共 ${count} 幅，超过 100000 幅，不列出`;
      return;
    }
    const rows = ['new,old,south,west,north,east'];  // the columns of mapsheet-cli cover
    for (const sheet of sheets) {
      const b = sheet.bounds;
      rows.push([sheet.number, sheet.oldNumber || '', b.south, b.west, b.north, b.east].join(','));
    }
    for (const sheet of sheets.slice(0, 500)) {
      const tr = tbody.insertRow();
      for (const text of [sheet.number, sheet.oldNumber || '', sheet.boundsDms.south,
        sheet.boundsDms.west, sheet.boundsDms.north, sheet.boundsDms.east]) tr.insertCell().textContent = text;
    }
    download($('cover-csv'), '覆盖.csv', 'text/csv', rows.join('\n') + '\n');
    download($('cover-geojson'), '覆盖.geojson', 'application/geo+json', featureCollection(sheets));
    $('cover-csv').hidden = $('cover-geojson').hidden = false;
  }
  $('cover-run').addEventListener('click', runCover);
  $('cover-box').addEventListener('keydown', (event) => { if (event.key === 'Enter') runCover(); });

  showNotes();
  $('lat-d').value = '39'; $('lat-m').value = '54'; $('lat-s').value = '15.12';
  $('lon-d').value = '116'; $('lon-m').value = '24'; $('lon-s').value = '26.64';
  convert();
}

window.mapsheetReady = createMapsheet().then((mapsheet) => {
  window.mapsheet = mapsheet;
  startPage(mapsheet);
  // Milliseconds from the start of loading to a page ready for input, for the benchmark.
  window.mapsheetReadyTime = performance.now();
  return mapsheet;
});
