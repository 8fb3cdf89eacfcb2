// The grid, upload, download and double-submit flows on the test page
// TfrmTestGrid (rows Alpha, Bravo, Charlie; a Note edit and a Go button per row).
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';

export const startPage = 'TfrmTestGrid';

const goButton = (row) => `#grdItems button[value="grdItems:button:${row}:2"]`;
const noteEdit = (row) => `#grdItems_r${row}_c1`;

async function openPage(newPage, base) {
  const page = await newPage();
  await page.goto(base + '/');
  return page;
}

export const tests = [
  {
    name: 'a grid button runs its handler with the edited cell and shows a message',
    async fn({ base, newPage }) {
      const page = await openPage(newPage, base);
      await page.fill(noteEdit(1), 'changed <b>note</b>');
      await page.fill(noteEdit(2), 'also changed');
      await page.click(goButton(1));

      const dialog = page.locator('dialog#zwMessages');
      await dialog.waitFor({ state: 'visible' });
      assert.equal((await dialog.locator('.zw-message').textContent()).trim(), 'Row 1 button clicked');
      assert.equal(await page.textContent('#lblResult'), 'clicked row 1');
      assert.equal(await page.textContent('#lblNote'), 'note: changed <b>note</b>');
      // Every posted cell is kept, not only the one of the clicked row.
      assert.equal(await page.inputValue(noteEdit(1)), 'changed <b>note</b>');
      assert.equal(await page.inputValue(noteEdit(2)), 'also changed');
      assert.equal(await page.inputValue(noteEdit(0)), 'note Alpha');
    },
  },
  {
    name: 'after the first click every button is disabled and only one post is sent',
    async fn({ base, newPage }) {
      // cmdSlow takes 1.5 s on the server, so the page stays up while the post
      // is pending. Playwright waits out a pending navigation before it runs
      // more script, so the buttons are read in the task that clicked.
      for (const [i, how] of ['two clicks in one task', 'a double click'].entries()) {
        const page = await openPage(newPage, base);
        const posts = [];
        page.on('request', (r) => { if (r.method() === 'POST') posts.push(r.postData()); });
        const answer = page.waitForResponse((r) => r.request().method() === 'POST');
        if (how === 'a double click') {
          await page.dblclick('#cmdSlow');
        } else {
          const enabled = await page.evaluate(() => {
            const b = document.getElementById('cmdSlow');
            b.click();
            b.click();
            return new Promise((resolve) => setTimeout(() => resolve(
              [...document.querySelectorAll('#zwForm button')].filter((x) => !x.disabled).map((x) => x.id || x.value)), 20));
          });
          assert.deepEqual(enabled, [], 'buttons still enabled while the post is pending');
        }

        await answer;
        const expected = `slow clicks: ${i + 1}`;
        await page.locator('#lblResult', { hasText: expected }).waitFor({ timeout: 5000 }).catch(() => {});
        await page.waitForTimeout(300);
        assert.equal(posts.length, 1, `${how}: posts sent`);
        // The page (and its count) lives in the session across both rounds.
        assert.equal(await page.textContent('#lblResult'), expected, how);
        assert.equal(await page.locator('#cmdSlow').isEnabled(), true, `${how}: enabled again on the new page`);
        await page.close();
      }
    },
  },
  {
    name: 'an upload reaches the handler with its base name and size',
    async fn({ base, newPage }) {
      const page = await openPage(newPage, base);
      for (const { name, base: shown } of [
        { name: 'timesheet.csv', base: 'timesheet.csv' },
        { name: 'C:\\Users\\jsmith\\My Files\\week 12.txt', base: 'week 12.txt' },
        { name: 'reports/2024/summary.txt', base: 'summary.txt' },
      ]) {
        const buffer = Buffer.from(`upload of ${name}\n`.repeat(7));
        await page.setInputFiles('#fupFile', { name, mimeType: 'text/plain', buffer });
        await Promise.all([page.waitForNavigation(), page.click('#cmdUpload')]);
        assert.equal(await page.textContent('#lblResult'), `uploaded ${shown} (${buffer.length} bytes)`, name);
      }
      // A post without a file says so instead of keeping the last one.
      await Promise.all([page.waitForNavigation(), page.click('#cmdUpload')]);
      assert.equal(await page.textContent('#lblResult'), 'no file');
    },
  },
  {
    name: 'a file sent by a handler downloads once after the page loads',
    async fn({ base, newPage }) {
      const page = await openPage(newPage, base);
      await page.fill(noteEdit(0), 'a, "quoted" note');
      const download = page.waitForEvent('download');
      await page.click('#cmdDownload');
      const file = await download;
      assert.equal(file.suggestedFilename(), 'report.csv');
      const text = await readFile(await file.path(), 'utf8');
      assert.equal(text, 'Name,Note\r\nAlpha,"a, ""quoted"" note"\r\nBravo,note Bravo\r\nCharlie,note Charlie\r\n');

      // The link is good for one fetch only.
      const href = await page.getAttribute('a[data-zw-download]', 'href');
      assert.ok(href, 'the page carries the download link');
      const again = await page.evaluate(async (url) => (await fetch(url)).status, href);
      assert.equal(again, 404);
    },
  },
];
