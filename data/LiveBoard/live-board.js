// The live board page: it follows the race director's board over the
// program's WebSocket and draws each state it is sent. It only reads; every
// text goes in as text, never as markup, whatever a racer's name holds.
(function () {
  'use strict';

  const byId = (id) => document.getElementById(id);
  // What the program closes with when every viewer's place is taken.
  const BOARD_FULL = [4013, 1013];
  const FULL_RETRY_MS = 15000;
  const LONGEST_RETRY_MS = 10000;
  let retryMs = 1000;

  function setText(element, text) {
    const value = text === undefined || text === null ? '' : String(text);
    if (element.textContent !== value) element.textContent = value;
  }

  // A row element per board row, made once and refilled, so the page does
  // not rebuild itself several times a second.
  function rowElement(container, index) {
    while (container.children.length <= index) {
      const row = document.createElement('div');
      row.className = 'row';
      for (const name of ['position', 'lane', 'racer', 'laps', 'lastLap', 'gap', 'best']) {
        const cell = document.createElement('span');
        cell.className = name;
        row.appendChild(cell);
      }
      container.appendChild(row);
    }
    return container.children[index];
  }

  function trimChildren(container, count) {
    while (container.children.length > count) container.lastChild.remove();
  }

  function drawRows(rows, columns) {
    const container = byId('rows');
    rows.forEach((data, index) => {
      const row = rowElement(container, index);
      row.dataset.lane = data.lane;
      row.style.setProperty('--lane-color', data.color);
      const cell = (name) => row.querySelector('.' + name);
      setText(cell('position'), data.position);
      setText(cell('lane'), data.lane);
      setText(cell('racer'), data.racer);
      setText(cell('laps'), data.laps);
      setText(cell('lastLap'), data.lastLap);
      setText(cell('gap'), data.gap);
      setText(cell('best'), data.best);
      // A phone shows each time under its caption.
      for (const name of ['lastLap', 'gap', 'best']) {
        if (cell(name).dataset.caption !== columns[name]) cell(name).dataset.caption = columns[name];
      }
    });
    trimChildren(container, rows.length);
    document.documentElement.style.setProperty('--rows', Math.max(rows.length, 1));
  }

  function drawHeat(heat) {
    const panel = byId('heat');
    const number = byId('heatNumber');
    panel.hidden = !heat;
    number.hidden = !heat;
    document.body.classList.toggle('heats', Boolean(heat));
    if (!heat) return;
    setText(number, 'Heat ' + heat.number + ' of ' + heat.count);

    const next = byId('nextRacers');
    byId('nextHeat').hidden = !heat.next;
    const nextRacers = heat.next ? heat.next.racers : [];
    if (heat.next) setText(byId('nextHeatTitle'), 'Next: heat ' + heat.next.number);
    nextRacers.forEach((racer, index) => {
      let item = next.children[index];
      if (!item) {
        item = document.createElement('li');
        item.appendChild(document.createElement('span')).className = 'lane';
        item.appendChild(document.createElement('span')).className = 'racer';
        next.appendChild(item);
      }
      setText(item.querySelector('.lane'), racer.lane);
      setText(item.querySelector('.racer'), racer.racer);
    });
    trimChildren(next, nextRacers.length);

    const results = byId('resultRows');
    heat.results.forEach((standing, index) => {
      let line = results.children[index];
      if (!line) {
        line = document.createElement('tr');
        for (let i = 0; i < 4; ++i) line.appendChild(document.createElement('td'));
        results.appendChild(line);
      }
      const cells = line.children;
      setText(cells[0], standing.place);
      setText(cells[1], standing.racer);
      setText(cells[2], standing.laps);
      setText(cells[3], standing.points);
    });
    trimChildren(results, heat.results.length);
  }

  function draw(board) {
    setText(byId('title'), board.title);
    setText(byId('track'), board.track);
    setText(byId('clock'), board.clock);
    const flag = byId('flag');
    if (flag.dataset.flag !== board.flag) flag.dataset.flag = board.flag;
    document.body.dataset.state = board.state;
    const banner = byId('banner');
    setText(banner, board.banner);
    banner.hidden = !board.banner;
    setText(byId('lapsColumn'), board.columns.laps);
    setText(byId('lastLapColumn'), board.columns.lastLap);
    setText(byId('gapColumn'), board.columns.gap);
    setText(byId('bestColumn'), board.columns.best);
    drawRows(board.rows, board.columns);
    drawHeat(board.heat);
    document.title = (board.title || 'Live board') + ' \u2013 live board';
  }

  function showLink(state, text) {
    const link = byId('link');
    link.dataset.link = state;
    setText(link, text);
  }

  function connect() {
    const scheme = location.protocol === 'https:' ? 'wss://' : 'ws://';
    const socket = new WebSocket(scheme + location.host + '/live');
    socket.onopen = () => {
      retryMs = 1000;
      showLink('live', 'Live');
    };
    socket.onmessage = (event) => {
      let board;
      try {
        board = JSON.parse(event.data);
      } catch (error) {
        return;
      }
      if (board && Array.isArray(board.rows) && board.columns) draw(board);
    };
    socket.onclose = (event) => {
      const full = BOARD_FULL.includes(event.code);
      showLink(full ? 'full' : 'lost',
               full ? (event.reason || 'The live board is full.') + ' Trying again shortly…'
                    : 'Connection to the race lost: trying again…');
      setTimeout(connect, full ? FULL_RETRY_MS : retryMs);
      retryMs = Math.min(retryMs * 2, LONGEST_RETRY_MS);
    };
  }

  connect();
})();
