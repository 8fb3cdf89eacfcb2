// The main page after sign-in: stepping through employees, opening record
// screens from the navigation bar, logging out, and its layout on a desktop
// and a phone window.
//
// Screenshots: with ZORV_SCREENSHOTS=1 in the environment the layout test
// writes docs/screenshots/mainpage-desktop.png (1366×768) and
// docs/screenshots/mainpage-phone.png (390×844), the main page of the demo
// supervisor. Without it (as in CI) the files are left as they are.
import assert from 'node:assert/strict';
import { mkdir } from 'node:fs/promises';
import path from 'node:path';

import { repoRoot } from './harness.mjs';

export const startPage = undefined; // the login page

const kScreenshotDir = path.join(repoRoot, 'docs/screenshots');
const kWindows = [
  { name: 'desktop', width: 1366, height: 768 },
  { name: 'phone', width: 390, height: 844 },
];

/// Clicks a control that posts the form and waits for the page the server answers with.
async function post(page, locator) {
  const loaded = page.waitForEvent('load');
  await (typeof locator === 'string' ? page.locator(locator) : locator).click();
  await loaded;
}

async function signIn(page, base, login, staffNo) {
  await page.goto(base + '/');
  await page.fill('#edtLogin', login);
  await page.fill('#edtStaffno', staffNo);
  await page.fill('#edtPassword', login);
  await post(page, '#cmdLogin');
  await page.locator('#OutMain').waitFor();
}

const text = async (page, id) => (await page.textContent('#' + id)).trim();

/// Opens the item caption of the bar's panel named panelCaption: a click on
/// the panel's caption shows its items, a click on the item opens its screen.
async function openScreen(page, panelCaption, caption) {
  const panelButton = page.locator('#OutMain button.zw-outlook-panel', { hasText: panelCaption });
  assert.match(await panelButton.getAttribute('value'), /^OutMain:panel:\d+$/, `${panelCaption}: panel event`);
  await post(page, panelButton);
  const item = page.locator('#OutMain button.zw-outlook-item', { hasText: caption });
  assert.match(await item.getAttribute('value'), /^OutMain:item:\d+:\d+$/, `${caption}: item event`);
  await post(page, item);
}

export const tests = [
  {
    name: 'an employee who may view only himself stays on his own record with < and >',
    async fn({ base, newPage }) {
      const page = await newPage();
      await signIn(page, base, 'employee', '1005');
      assert.equal(await text(page, 'lblStaffno'), '1005');
      const name = await text(page, 'lblName');
      assert.ok(name, 'the employee line shows a name');
      for (const button of ['#cmdNext', '#cmdPrev', '#cmdPrev']) {
        await post(page, button);
        assert.equal(await text(page, 'lblStaffno'), '1005', `after ${button}`);
        assert.equal(await text(page, 'lblName'), name, `after ${button}`);
      }
    },
  },
  {
    name: 'a supervisor steps to the next employee of the group and back',
    async fn({ base, newPage }) {
      const page = await newPage();
      await signIn(page, base, 'supervisor', '1002');
      const first = { staffNo: await text(page, 'lblStaffno'), name: await text(page, 'lblName') };
      assert.ok(first.staffNo && first.name, 'the employee line is filled');

      await post(page, '#cmdNext');
      const next = { staffNo: await text(page, 'lblStaffno'), name: await text(page, 'lblName') };
      assert.notEqual(next.staffNo, first.staffNo, '> moves to another employee');
      assert.notEqual(next.name, first.name, 'the name follows the staff number');

      await post(page, '#cmdPrev');
      assert.deepEqual({ staffNo: await text(page, 'lblStaffno'), name: await text(page, 'lblName') }, first);
    },
  },
  {
    name: 'the bar opens record screens on the current employee, and the logout returns to the login page',
    async fn({ base, newPage }) {
      const page = await newPage();
      await signIn(page, base, 'supervisor', '1002');
      assert.equal(await text(page, 'lblForm'), 'Employee Details', 'the first screen after sign-in');
      await post(page, '#cmdNext');
      const staffNo = await text(page, 'lblStaffno');

      for (const [panel, screen] of [['Employee', 'Absence'], ['Records', 'Education'], ['Records', 'Emergency Contacts']]) {
        await openScreen(page, panel, screen);
        assert.equal(await text(page, 'lblForm'), screen);
        assert.equal(await text(page, 'lblStaffno'), staffNo, `${screen}: the same employee`);
        assert.equal(await page.locator('dialog#zwMessages[open]').count(), 0, `${screen}: no message`);
      }

      await post(page, '#imglogout1');
      await page.locator('#edtLogin').waitFor();
      // The session is gone: the next visit shows the login page again.
      await page.goto(base + '/');
      await page.locator('#edtLogin').waitFor();
    },
  },
  {
    name: 'the main page fits a desktop and a phone window without sideways scrolling',
    async fn({ base, newPage }) {
      const page = await newPage();
      await signIn(page, base, 'supervisor', '1002');
      const screenshots = process.env.ZORV_SCREENSHOTS === '1';
      if (screenshots) await mkdir(kScreenshotDir, { recursive: true });
      for (const win of kWindows) {
        await page.setViewportSize({ width: win.width, height: win.height });
        if (screenshots)
          await page.screenshot({ path: path.join(kScreenshotDir, `mainpage-${win.name}.png`) });
        const overflow = await page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
        assert.ok(overflow <= 0, `${win.name}: the page is ${overflow} px wider than the window`);
        for (const id of ['OutMain', 'lblStaffno', 'lblName', 'cmdPrev', 'cmdNext', 'lblForm', 'regScreen', 'imglogout1'])
          assert.ok(await page.locator('#' + id).isVisible(), `${win.name}: #${id} is visible`);
      }
    },
  },
];
