// The results page's script, run against a small stand-in for the browser's
// table: sorting by a number column keeps rows without a value ("-") last
// in both directions, ties keep the page's order, and the category filter
// hides rows and puts the category rules over the rows still shown, drawn
// only while the rows are in category order.
// Usage: node results_page_test.js results_page.html.in
'use strict';
const assert = require('assert');
const fs = require('fs');

const page = fs.readFileSync(process.argv[2], 'utf8');
const script = page.slice(page.indexOf('<script>') + 8, page.indexOf('</script>'));

// Category, Place, Call, Claimed: the page's first four columns.
function makePage(rows) {
  const body = {
    rows: rows.map(([category, place, call, claimed]) => ({
      cells: [category, place, call, claimed].map((text) => ({ textContent: text })),
      dataset: { category },
      style: { display: '' },
      className: '',
    })),
    appendChild(row) {
      this.rows.splice(this.rows.indexOf(row), 1);
      this.rows.push(row);
    },
  };
  const listener = () => ({
    className: '',
    handlers: [],
    addEventListener(type, handler) { this.handlers.push(handler); },
  });
  const heads = [0, 1, 2, 3].map(listener);
  const table = { tBodies: [body], tHead: { rows: [{ cells: heads }] }, className: '' };
  const filter = listener();
  const document = { getElementById: (id) => ({ results: table, category: filter })[id] };
  new Function('document', script)(document);
  return {
    click: (column) => heads[column].handlers.forEach((h) => h()),
    choose: (category) => {
      filter.value = category;
      filter.handlers.forEach((h) => h.call(filter));
    },
    calls: () => body.rows.map((row) => row.cells[2].textContent),
    shown: () => body.rows.filter((r) => r.style.display !== 'none').map((r) => r.cells[2].textContent),
    ruled: () => body.rows.filter((r) => r.className === 'first').map((r) => r.cells[2].textContent),
    heads,
    table,
  };
}

const page1 = makePage([
  ['A', '1', 'YO1A', '300'],
  ['A', '2', 'YO2B', '-'],
  ['B', '1', 'YO3C', '500'],
  ['B', '2', 'YO4D', '300'],
  ['C', '1', 'YO5E', '-'],
]);
assert.deepStrictEqual(page1.ruled(), ['YO3C', 'YO5E'], 'category rules as the page opens');
assert.strictEqual(page1.table.className, 'grouped');

const steps = [
  // A number column sorts high to low first; ties stay in page order.
  { click: 3, calls: ['YO3C', 'YO1A', 'YO4D', 'YO2B', 'YO5E'], head: 'sorted-down' },
  { click: 3, calls: ['YO1A', 'YO4D', 'YO3C', 'YO2B', 'YO5E'], head: 'sorted-up' },
  // A text column sorts A to Z first.
  { click: 2, calls: ['YO1A', 'YO2B', 'YO3C', 'YO4D', 'YO5E'], head: 'sorted-up' },
];
for (const step of steps) {
  page1.click(step.click);
  assert.deepStrictEqual(page1.calls(), step.calls, `after a click on column ${step.click}`);
  assert.strictEqual(page1.heads[step.click].className, step.head);
}
assert.strictEqual(page1.table.className, '', 'no category rules out of category order');

const page2 = makePage([
  ['A', '1', 'YO1A', '300'],
  ['B', '1', 'YO3C', '500'],
  ['B', '2', 'YO4D', '-'],
]);
page2.choose('B');
assert.deepStrictEqual(page2.shown(), ['YO3C', 'YO4D']);
assert.deepStrictEqual(page2.ruled(), [], 'the first row shown gets no rule');
page2.choose('');
assert.deepStrictEqual(page2.shown(), ['YO1A', 'YO3C', 'YO4D']);
assert.deepStrictEqual(page2.ruled(), ['YO3C']);
console.log('results page: sorting and the category filter behave');
