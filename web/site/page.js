// The web edition's page: starts the C++ core, which creates an element
// for every control of the control map, hands it the controls' commands
// and loaded files, and shows what the window cannot: every candidate, the
// rows the estimate does not reproduce, a chart of the defense values that
// reproduce each row, a share link, and the rows kept between visits.
'use strict';

(function () {
  var STORE = 'torume-rows';
  var LINK = '#rows=';
  var client = document.getElementById('client');
  var core;       // the module
  var emptyRow;   // the values of a row as the control map starts it
  var texts;      // the page's headings and captions, the core's

  function byId(id) { return document.getElementById(id); }
  function control(id) { return document.querySelector('[data-id="' + id + '"]'); }
  function rowCount() { for (var r = 0; core._WebRowControl(r, 0); r++); return r; }
  function rowControl(r, c) { return control(core._WebRowControl(r, c)); }
  function rowControls(r) {
    var list = [];
    for (var c = 0; core._WebRowControl(r, c); c++) list.push(rowControl(r, c));
    return list;
  }
  function geometry(box) {
    var style = box.style;
    return {x: +style.getPropertyValue('--x'), y: +style.getPropertyValue('--y'),
            width: +style.getPropertyValue('--w'), height: +style.getPropertyValue('--h')};
  }

  // ---- Rows as text: the share link's fragment and the saved rows ----

  // A row: the texts of its fields and the selected indices of its lists.
  function rowValues(r) {
    return rowControls(r).map(function (e) { return e.tagName === 'SELECT' ? String(e.selectedIndex) : e.value; });
  }
  function setRowValues(r, values) {
    rowControls(r).forEach(function (e, c) {
      var value = values[c] === undefined ? emptyRow[c] : values[c];
      if (e.tagName === 'SELECT') {
        var index = parseInt(value, 10);
        e.selectedIndex = index >= 0 && index < e.options.length ? index : -1;
      } else {
        e.value = value;
      }
    });
  }
  // "1208,50,300,0,10,10,0;878,..." up to the last row that is not empty.
  function encodeRows() {
    var rows = [], last = -1;
    for (var r = 0; r < rowCount(); r++) {
      var values = rowValues(r);
      rows.push(values.map(encodeURIComponent).join(','));
      if (values.join('\n') !== emptyRow.join('\n')) last = r;
    }
    return rows.slice(0, last + 1).join(';');
  }
  function decodeRows(text) {
    var rows;
    try {
      rows = text.split(';').map(function (row) { return row.split(',').map(decodeURIComponent); });
    } catch (malformed) {
      return false;
    }
    for (var r = 0; r < rowCount(); r++) setRowValues(r, rows[r] || emptyRow);
    return true;
  }
  function save() {
    try {
      var rows = encodeRows();
      if (rows) localStorage.setItem(STORE, rows); else localStorage.removeItem(STORE);
    } catch (unavailable) { /* storage off: nothing is kept */ }
  }
  function saved() {
    try { return localStorage.getItem(STORE); } catch (unavailable) { return null; }
  }

  // ---- Commands ----

  // What the window's procedure does for a command, then the analysis
  // when the estimation ran. The estimation's own time is kept for the test.
  function command(id) {
    var start = performance.now();
    var estimated = core._WebCommand(id);
    var elapsed = performance.now() - start;
    if (estimated) {
      document.body.dataset.estimationMs = elapsed.toFixed(3);
      analyse();
    }
    caption();
  }
  function estimateButton() {
    return rowControl(0, 0).closest('.panel').querySelector('button[data-id]');
  }
  function estimate() { command(+estimateButton().dataset.id); }

  // The pieces of a file, each read into one reused buffer where the
  // browser can (a byte stream's own-buffer reader): a file read in fresh
  // slices leaves its whole size in buffers for the collector to find.
  // Elsewhere, slices. read() promises a Uint8Array, empty at the end.
  function pieceReader(file, size) {
    var stream = null, buffer = new ArrayBuffer(size), at = 0;
    try { stream = file.stream().getReader({mode: 'byob'}); } catch (e) { stream = null; }
    return {
      read: function () {
        if (!stream) {
          at += size;
          return file.slice(at - size, at).arrayBuffer().then(function (b) { return new Uint8Array(b); });
        }
        return stream.read(new Uint8Array(buffer, 0, size)).then(function (result) {
          if (result.done) return new Uint8Array(0);
          buffer = result.value.buffer;
          return result.value;
        });
      },
      cancel: function () { if (stream) stream.cancel(); }
    };
  }

  // A file is read a piece at a time into the core's piece buffer, so that
  // neither the page nor the module holds it whole; pieces that are at
  // hand at once are read in runs of at most 20 ms, and the page answers
  // between runs. A load that fails leaves the rows as they were; the
  // lines it skipped are reported as torume reports them, NAME:LINE: reason.
  // A newer load supersedes one still reading.
  var loading = 0;
  function loadFile(file, name) {
    var token = ++loading, pieces = pieceReader(file, core._WebLoadPieceSize()), runStart = performance.now();
    name = name || file.name;
    core._WebLoadStart();
    function next() {
      pieces.read().then(function (piece) {
        if (token !== loading) { pieces.cancel(); return; }
        if (!piece.length) { finishLoad(name, ''); return; }
        core.HEAPU8.set(piece, core._WebLoadBuffer());
        core._WebLoadPiece(piece.length);
        if (performance.now() - runStart < 20) { next(); return; }
        setTimeout(function () { runStart = performance.now(); next(); });
      }, function (error) {
        if (token === loading) finishLoad(name, String(error && error.message || error));
      });
    }
    next();
  }
  // Texts travel to the core in its piece buffer.
  function putText(text) {
    var bytes = new TextEncoder().encode(text).subarray(0, core._WebLoadPieceSize());
    core.HEAPU8.set(bytes, core._WebLoadBuffer());
    return bytes.length;
  }
  function finishLoad(name, cause) {
    var filled = core._WebLoadFinish(putText(cause));
    var report = JSON.parse(core.UTF8ToString(core._WebLoadReport(putText(name))));
    byId('status').textContent = report.lines.join('\n');
    if (filled > 0) analyse();
    save();
    document.body.dataset.loads = +(document.body.dataset.loads || 0) + 1;
  }
  function loadText(text) { loadFile(new Blob([text]), texts.pastedName); }

  // The window's save, as a download: the bytes and the name the core gives.
  function saveRows() {
    var size = core._WebSaveRows(), refusal = core.UTF8ToString(core._WebNothingToSave());
    if (!size) {
      byId('status').textContent = refusal;
      return;
    }
    if (byId('status').textContent === refusal) byId('status').textContent = '';
    var link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([core.HEAPU8.slice(core._WebSavedBytes(), core._WebSavedBytes() + size)],
                                             {type: 'text/plain'}));
    link.download = core.UTF8ToString(core._WebSavedName());
    link.click();
    // The download has taken the bytes by then.
    setTimeout(function () { URL.revokeObjectURL(link.href); }, 10000);
  }

  // ---- Beyond the window ----

  function analyse() {
    var start = performance.now();
    var result = JSON.parse(core.UTF8ToString(core._WebAnalyse()));
    showDiagnosis(result.diagnosis);
    showChart(result.chart);
    showCandidates(result.candidates);
    var rows = encodeRows();
    byId('share').href = location.pathname + location.search + LINK + rows;
    byId('share-section').hidden = !rows;
    document.body.dataset.analysisMs = (performance.now() - start).toFixed(3);
  }

  // Each row the estimate does not reproduce is marked in the table of
  // rows, and explained below it.
  function showDiagnosis(diagnosis) {
    document.querySelectorAll('.unreproduced').forEach(function (box) {
      box.classList.remove('unreproduced');
      box.removeAttribute('title');
    });
    var list = byId('diagnosis');
    list.textContent = '';
    diagnosis.forEach(function (entry) {
      var text = entry.withoutText ? entry.text + ' ' + entry.withoutText : entry.text;
      rowControls(entry.row - 1).forEach(function (e) {
        e.parentNode.classList.add('unreproduced');
        e.parentNode.title = text;
      });
      var item = document.createElement('li');
      item.textContent = text;
      item.dataset.row = entry.row;
      list.appendChild(item);
    });
    byId('diagnosis-section').hidden = !diagnosis.length;
  }

  // One line of cells per row, one cell per defense value 0 to 99, filled
  // where some rate reproduces the row; the last line shades each defense
  // by the share of rows it reproduces, and the chosen defense is framed.
  // Every text is the core's.
  function showChart(chart) {
    var rows = chart.rows, cell = 5, line = 20, left = 44, top = 16;
    byId('chart-section').hidden = !rows.length;
    if (!rows.length) return;
    var height = top + (rows.length + 1) * line + 4, width = left + 100 * cell + 4;
    var svg = [];
    function add(tag, attributes, content) {
      var element = document.createElementNS('http://www.w3.org/2000/svg', tag);
      Object.keys(attributes).forEach(function (name) { element.setAttribute(name, attributes[name]); });
      if (content !== undefined) {
        if (tag === 'text') element.textContent = content;
        else element.appendChild(document.createElementNS('http://www.w3.org/2000/svg', 'title')).textContent = content;
      }
      svg.push(element);
      return element;
    }
    for (var d = 0; d < 100; d += 10) add('text', {'class': 'tick', x: left + d * cell, y: 11}, String(d));
    if (chart.chosen)
      add('rect', {'class': 'chosen', x: left + chart.chosen.defense * cell - 1, y: top - 2, width: cell + 2,
                   height: (rows.length + 1) * line}, chart.chosen.title);
    rows.forEach(function (row, i) {
      var y = top + i * line;
      add('text', {x: 0, y: y + 11, 'data-row': row.row}, row.caption);
      row.cells.forEach(function (c) {
        add('rect', {'class': 'hit', 'data-row': row.row, 'data-defense': c.defense, x: left + c.defense * cell, y: y,
                     width: cell - 1, height: line - 4}, c.title);
      });
    });
    var y = top + rows.length * line;
    add('text', {x: 0, y: y + 11}, chart.agreementCaption);
    chart.agreement.forEach(function (c) {
      add('rect', {'class': 'agree', x: left + c.defense * cell, y: y, width: cell - 1, height: line - 4,
                   'fill-opacity': c.share.toFixed(3)}, c.title);
    });
    var root = document.createElementNS('http://www.w3.org/2000/svg', 'svg');
    root.setAttribute('viewBox', '0 0 ' + width + ' ' + height);
    root.setAttribute('role', 'img');
    root.setAttribute('aria-label', chart.label);
    svg.forEach(function (element) { root.appendChild(element); });
    byId('chart').replaceChildren(root);
  }

  function showCandidates(candidates) {
    var body = byId('candidates').tBodies[0];
    body.textContent = '';
    candidates.forEach(function (c) {
      var tr = body.insertRow();
      tr.className = c.chosen ? 'chosen' : c.tied ? 'tied' : '';
      [c.mark, c.defense, c.rateTexts[0], c.rateTexts[1], c.rateTexts[2], c.hits,
       c.rows.join(' ') || '-'].forEach(function (text) {
        tr.insertCell().textContent = text;
      });
    });
    byId('candidates-section').hidden = !candidates.length;
  }

  // ---- Layout ----

  // The boxes of a panel in bands of one y each: on a wide screen the bands
  // vanish (every box stands at its place in the window); on a phone each
  // band is a line that wraps. A push button that shares its band with
  // fields moves after the panel's last band of fields and check boxes.
  function band() {
    document.querySelectorAll('.panel').forEach(function (panel) {
      var boxes = Array.prototype.filter.call(panel.children, function (e) { return e.style.getPropertyValue('--y'); });
      var bands = {};
      boxes.forEach(function (box) { (bands[geometry(box).y] = bands[geometry(box).y] || []).push(box); });
      var lastInputs = null, buttons = [];
      Object.keys(bands).sort(function (a, b) { return a - b; }).forEach(function (y) {
        var line = document.createElement('div');
        line.className = 'band';
        bands[y].sort(function (a, b) { return geometry(a).x - geometry(b).x; });
        var inputs = bands[y].some(function (box) { return box.classList.contains('box'); });
        bands[y].forEach(function (box) {
          if (inputs && box.tagName === 'BUTTON') buttons.push(box); else line.appendChild(box);
        });
        if (line.children.length) panel.appendChild(line);
        if (inputs) lastInputs = line;
      });
      buttons.forEach(function (button) {
        var line = document.createElement('div');
        line.className = 'band';
        line.appendChild(button);
        lastInputs.after(line);
      });
    });
  }

  // Phone captions: each header's words name the enabled fields of the
  // band just below it, left to right; the fields further down in the same
  // column share the caption.
  function caption() {
    document.querySelectorAll('.panel').forEach(function (panel) {
      var fields = Array.prototype.slice.call(panel.querySelectorAll('.box.edit, .box.combo'));
      panel.querySelectorAll('.label').forEach(function (label) {
        var below = geometry(label).y + geometry(label).height;
        var columns = fields.filter(function (box) {
          var y = geometry(box).y;
          return y >= below && y < below + 10;
        }).sort(function (a, b) { return geometry(a).x - geometry(b).x; });
        var words = label.textContent.split(/\s+/).filter(Boolean), next = 0;
        columns.forEach(function (top) {
          var word = top.classList.contains('disabled') ? '' : words[next++] || '';
          fields.forEach(function (box) {
            if (geometry(box).x === geometry(top).x && geometry(box).y >= geometry(top).y)
              box.querySelector('.caption').textContent = word;
          });
        });
      });
    });
  }

  // ---- Start ----

  // Each element marked data-text="NAME" shows the core's text of that name;
  // the candidates' table its column headers.
  function showTexts() {
    document.querySelectorAll('[data-text]').forEach(function (element) {
      element.textContent = texts[element.dataset.text];
    });
    var header = byId('candidates').tHead.rows[0];
    texts.candidateColumns.forEach(function (text) {
      header.appendChild(document.createElement('th')).textContent = text;
    });
  }

  function wire() {
    client.addEventListener('click', function (event) {
      var target = event.target;
      if (target.matches('button[data-id], input[type=checkbox][data-id]')) command(+target.dataset.id);
    });
    // Edit fields take digits only from the keyboard, as numeric edit
    // controls do, full-width ones (the input method on) included, which
    // read as ASCII digits; texts written by a load are not filtered.
    client.addEventListener('beforeinput', function (event) {
      if (event.target.matches('.edit input') && event.inputType === 'insertText' &&
          /[^0-9\uFF10-\uFF19]/.test(event.data || ''))
        event.preventDefault();
    });
    // An edited row is no longer the one the diagnosis speaks of.
    client.addEventListener('input', function (event) {
      var box = event.target.closest('.unreproduced');
      if (box) box.closest('.band').querySelectorAll('.unreproduced').forEach(function (marked) {
        marked.classList.remove('unreproduced');
        marked.removeAttribute('title');
      });
      save();
    });
    client.addEventListener('change', save);

    var fileInput = document.querySelector('input[type=file][data-id]');
    fileInput.addEventListener('change', function () {
      if (fileInput.files.length) loadFile(fileInput.files[0]);
      fileInput.value = '';
    });
    document.addEventListener('dragover', function (event) { event.preventDefault(); });
    document.addEventListener('drop', function (event) {
      event.preventDefault();
      var files = event.dataTransfer.files, text = event.dataTransfer.getData('text/plain');
      if (files.length) loadFile(files[0]); else if (text) loadText(text);
    });
    // Lines or several numbers pasted into a field, or text pasted outside
    // the fields, load as an observation file; one value pasted into a
    // field goes into the field.
    document.addEventListener('paste', function (event) {
      var text = event.clipboardData.getData('text/plain');
      var field = event.target.matches && event.target.matches('input, textarea');
      if (event.target.id === 'paste' || (field && text.trim().split(/\s+/).length < 2)) return;
      event.preventDefault();
      loadText(text);
    });
    byId('paste-load').addEventListener('click', function () { loadText(byId('paste').value); });
    document.querySelector('.menu button[data-id]').addEventListener('click', saveRows);
    window.addEventListener('hashchange', function () {
      if (location.hash.indexOf(LINK) === 0 && location.hash.slice(LINK.length) !== encodeRows() &&
          decodeRows(location.hash.slice(LINK.length))) {
        estimate();
        save();
      }
    });
  }

  // A share link's rows come first, else the rows of the last visit.
  function restore() {
    var fromLink = location.hash.indexOf(LINK) === 0;
    var rows = fromLink ? location.hash.slice(LINK.length) : saved();
    if (rows && decodeRows(rows)) estimate();
    if (fromLink) save();
  }

  createTorume({menuElement: byId('menu'), windowElement: client}).then(function (module) {
    core = module;
    core._WebStart();
    texts = JSON.parse(core.UTF8ToString(core._WebPageTexts()));
    showTexts();
    emptyRow = rowValues(0);
    band();
    caption();
    wire();
    restore();
    document.body.dataset.ready = performance.now().toFixed(1);
  });
})();
