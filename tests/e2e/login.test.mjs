// The login page in the browser.
import assert from 'node:assert/strict';

export const startPage = undefined; // the server's own start page

const kPassword = 'S3cret-Pw!42';

export const tests = [
  {
    name: 'Enter in the password edit logs in once; the refusal keeps the login but not the password',
    async fn({ base, newPage }) {
      const page = await newPage();
      const posts = [];
      page.on('request', (r) => { if (r.method() === 'POST') posts.push(r); });
      await page.goto(base + '/');

      for (const [id, caption] of [['lblLogin', 'Login'], ['lblStaffno', 'Employee No'], ['LblPassword', 'Password']])
        assert.equal((await page.textContent('#' + id)).trim(), caption, id);

      await page.fill('#edtLogin', 'jsmith');
      await page.fill('#edtStaffno', '01234');
      await page.fill('#edtPassword', kPassword);
      const answer = page.waitForResponse((r) => r.request().method() === 'POST');
      await page.press('#edtPassword', 'Enter');
      const html = await (await answer).text();

      const dialog = page.locator('dialog#zwMessages');
      await dialog.waitFor({ state: 'visible' });
      assert.match(await dialog.locator('.zw-message').first().textContent(), /Failed to login\./);
      assert.equal(posts.length, 1, 'one post for one Enter');
      assert.match(posts[0].postData() ?? '', /cmdLogin(%3A|:)click/, 'the default button is the event');

      assert.equal(await page.inputValue('#edtLogin'), 'jsmith');
      assert.equal(await page.inputValue('#edtStaffno'), '01234');
      assert.equal(await page.inputValue('#edtPassword'), '');
      assert.ok(!html.includes(kPassword), 'the password is not sent back in the page');

      await page.click('#zwMessagesOk');
      await dialog.waitFor({ state: 'hidden' });
    },
  },
  {
    name: 'a demo login signs in (password in any case), sees who is signed in and logs out again',
    async fn({ base, newPage }) {
      const page = await newPage();
      await page.goto(base + '/');
      const cookieBefore = (await page.context().cookies()).find((c) => c.name === 'zwsid')?.value;
      await page.fill('#edtLogin', 'admin');
      await page.fill('#edtStaffno', '1001');
      await page.fill('#edtPassword', 'ADMIN');
      await page.press('#edtPassword', 'Enter');
      await page.locator('#lblStaffno').waitFor();
      assert.equal((await page.textContent('#lblStaffno')).trim(), '1001');
      const cookieAfter = (await page.context().cookies()).find((c) => c.name === 'zwsid')?.value;
      assert.notEqual(cookieAfter, cookieBefore, 'the session id is renewed at sign-in');

      await page.click('#imglogout1');
      await page.locator('#edtLogin').waitFor();
    },
  },
];
